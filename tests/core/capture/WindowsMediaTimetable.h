#pragma once
// A controller on a simulated Monday morning whose capture outputs are the program's own, on
// the sound source the test names, with helpers to add a windowsmedia schedule and to tick.

#include "core/capture/CaptureFactory.h"
#include "core/controller/ClsController.h"
#include "tests/support/TestServices.h"

#include <QCoreApplication>
#include <QDir>

namespace tolvane::test {

struct WindowsMediaTimetable {
    static QDateTime At(int h, int m, int s) { return QDateTime(QDate(2024, 3, 4), QTime(h, m, s)); }

    explicit WindowsMediaTimetable(const QString &sourceConfig)
    {
        env.services->captureFactory =
            std::make_shared<CaptureFactory>(env.services, SoundSourceConfig::Parse(sourceConfig), nullptr);
        c = std::make_unique<ClsController>(env.services);
        QObject::connect(c.get(), &ClsController::OnStatusChanged, [this](tolvane::Status s) { statuses.push_back(s); });
        QObject::connect(c.get(), &ClsController::OnError, [this](const NumberedError &e) { errors.push_back(e); });
        c->Setup();
        QDir(env.dir.path()).mkdir("rec");
    }

    // A windowsmedia schedule "name" on every day, recorded into the folder "rec".
    std::shared_ptr<ClsSchedule> AddSchedule(const QString &start, const QString &end)
    {
        auto s = c->CreateNewSchedule();
        s->setName("name");
        s->setFileName("name");
        s->setSavePath(SaveFolder());
        s->setStartTime(start);
        s->setEndTime(end);
        s->setRecordingFormat(FormatType::windowsmedia);
        for (int d = 0; d < 7; ++d)
            s->setStartDay(d, 1);
        c->AddSchedule2List(s);
        return s;
    }

    QString SaveFolder() const { return env.Path("rec"); }
    QStringList Recordings() const { return QDir(SaveFolder()).entryList(QDir::Files, QDir::Name); }

    // One tick at the given moment of the test day, then whatever the event loop has pending.
    void TickAt(int h, int m, int s)
    {
        env.clock->Set(At(h, m, s));
        env.timer->Fire();
        QCoreApplication::processEvents();
    }

    TestEnv env{At(6, 59, 50)};
    std::unique_ptr<ClsController> c;
    std::vector<tolvane::Status> statuses;
    std::vector<NumberedError> errors;
};

}  // namespace tolvane::test
