// How close to its second a timetable recording starts: ten recordings one after another on the
// real clock, the real 100 ms tick, and the capture pipeline on the private sound server's sine.
// Reports the delay from the scheduled second to the end of the preparation (a second ahead: the
// device is opened early so that the start itself is quick), to the status turning to
// recording (right after the start call returns), and to the delivery of the first block of
// sound. The server's sine source renders ahead of real time, so its first block can come at
// once; a sound card cannot do that.

#include "core/capture/CaptureFactory.h"
#include "core/controller/ClsController.h"
#include "tests/support/PrivatePulse.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace tolvane;

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    test::PrivatePulse pulse;
    if (!pulse.Running()) {
        std::fprintf(stderr, "no sound server: %s\n", qPrintable(pulse.Error()));
        return 1;
    }
    QTemporaryDir dir;
    auto services = CoreServices::Real(dir.path());
    services->firstRunSaveFolder = dir.path();
    services->captureFactory = std::make_shared<CaptureFactory>(services, SoundSourceConfig{}, nullptr);
    ClsController c(services);
    c.Setup();

    constexpr int kRecordings = 10;
    const QDateTime first = QDateTime::currentDateTime().addSecs(25);  // after the first monitoring window
    std::vector<QDateTime> starts;
    for (int i = 0; i < kRecordings; ++i) {
        const QDateTime at = first.addSecs(i * 4);
        auto s = c.CreateNewSchedule();
        s->setName(QStringLiteral("r%1").arg(i));
        s->setStartTime(at.toString("hh:mm:ss"));
        s->setEndTime(at.addSecs(2).toString("hh:mm:ss"));
        for (int d = 0; d < 7; ++d)
            s->setStartDay(d, 1);
        c.AddSchedule2List(s);
        starts.push_back(QDateTime(at.date(), QTime(at.time().hour(), at.time().minute(), at.time().second())));
    }

    std::vector<double> toStart, toSample, toPrepared;
    int current = -1;
    // Raised at the end of the preparation, when the device is open; the start call follows.
    QObject::connect(&c, &ClsController::OnSetParameter, [&](std::shared_ptr<ClsSchedule>, tolvane::Status s) {
        if (s != tolvane::Status::Monitor && current + 1 < kRecordings)
            toPrepared.push_back(double(starts[size_t(current + 1)].msecsTo(QDateTime::currentDateTime())));
    });
    bool waitingForSample = false;
    QObject::connect(&c, &ClsController::OnStatusChanged, [&](tolvane::Status s) {
        if (s != tolvane::Status::PresetWave || current + 1 >= kRecordings)
            return;
        ++current;
        toStart.push_back(double(starts[size_t(current)].msecsTo(QDateTime::currentDateTime())));
        waitingForSample = true;
    });
    QObject::connect(&c, &ClsController::OnArriveWaveData16, [&](std::vector<qint16> &block) {
        if (!waitingForSample)
            return;
        waitingForSample = false;
        Q_UNUSED(block);
        toSample.push_back(double(starts[size_t(current)].msecsTo(QDateTime::currentDateTime())));
    });
    QTimer::singleShot(std::chrono::milliseconds(QDateTime::currentDateTime().msecsTo(first) + kRecordings * 4000 + 3000),
                       &app, &QCoreApplication::quit);
    app.exec();

    const auto report = [](const char *what, std::vector<double> v) {
        if (v.empty()) {
            std::printf("%s: no samples\n", what);
            return;
        }
        std::sort(v.begin(), v.end());
        std::printf("%-42s median %7.1f ms   worst %7.1f ms   (n=%zu)\n", what, v[v.size() / 2], v.back(), v.size());
    };
    std::printf("start latency, %d timetable recordings on the real clock and the private sound server\n", kRecordings);
    report("scheduled second -> device opened", toPrepared);
    report("scheduled second -> recording status", toStart);
    report("scheduled second -> first block delivered", toSample);
    return toStart.size() == size_t(kRecordings) ? 0 : 1;
}
