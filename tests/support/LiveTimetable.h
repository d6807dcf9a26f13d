#pragma once
// A controller on the real clock, the aligned 100 ms tick and the program's own capture outputs
// and MP3 encoder, recording from the sound server's default source: for tests that read the
// timing of recordings from the sound itself, and that break the real thing mid-recording.

#include "core/capture/CaptureFactory.h"
#include "core/controller/ClsController.h"
#include "core/encoder/EncordaFactory.h"
#include "core/platform/AlignedTickTimer.h"
#include "tests/support/TestServices.h"

#include <QDir>
#include <QEventLoop>
#include <QTimer>

namespace tolvane::test {

struct LiveTimetable {
    LiveTimetable()
    {
        env.services->clock = std::make_shared<SystemClock>();
        env.services->tickTimer = std::make_shared<AlignedTickTimer>();
        env.services->encoderFactory = std::make_shared<EncordaFactory>();
        env.services->captureFactory =
            std::make_shared<CaptureFactory>(env.services, SoundSourceConfig{}, env.services->encoderFactory);
        c = std::make_unique<ClsController>(env.services);
        QObject::connect(c.get(), &ClsController::OnError, [this](const NumberedError &e) { errors.push_back(e); });
        c->Setup();
    }

    // A schedule on every day that starts `lead` seconds after the coming second and lasts
    // `seconds`, recording into files named `name`; returns its start.
    QDateTime Add(FormatType format, int lead, int seconds, bool realTime = false, const QString &name = "take")
    {
        const QDateTime now = QDateTime::currentDateTime();
        const QDateTime start = now.addMSecs(1000 - now.time().msec()).addSecs(lead);
        auto s = c->CreateNewSchedule();
        s->setName(name);
        s->setFileName(name);
        s->setSavePath(env.dir.path());
        s->setStartTime(start.toString("hh:mm:ss"));
        s->setEndTime(start.addSecs(seconds).toString("hh:mm:ss"));
        s->setRecordingFormat(format);
        s->MP3()->setMP3RealTime(realTime);
        for (int d = 0; d < 7; ++d)
            s->setStartDay(d, 1);
        c->AddSchedule2List(s);
        last = s;
        return start;
    }

    // The event loop runs until a recording has been made, its files closed and encoded, or
    // until the deadline; false at the deadline.
    bool WaitUntilDone(const QDateTime &deadline)
    {
        QEventLoop loop;
        QTimer poll;
        bool recorded = false, over = false;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            recorded = recorded || c->IsCapturing();
            over = recorded && !c->IsCapturing() && !c->CaptureFinishing() && !c->WaitForGOGO();
            if (over || QDateTime::currentDateTime() > deadline)
                loop.quit();
        });
        poll.start(50);
        loop.exec();
        return over;
    }

    // WaitUntilDone; the file is the one file of the save folder whose name begins with `name`.
    QString WaitForFile(const QDateTime &deadline, const QString &name = "take")
    {
        WaitUntilDone(deadline);
        const QStringList files = QDir(env.dir.path()).entryList({name + "*"}, QDir::Files);
        return files.size() == 1 ? env.dir.filePath(files.front()) : QString();
    }

    // The event loop runs for `ms` milliseconds.
    static void Wait(int ms)
    {
        QEventLoop loop;
        QTimer::singleShot(ms, &loop, &QEventLoop::quit);
        loop.exec();
    }

    TestEnv env;
    std::unique_ptr<ClsController> c;
    std::vector<NumberedError> errors;
    std::shared_ptr<ClsSchedule> last;
};

}  // namespace tolvane::test
