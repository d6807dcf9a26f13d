// How close to its second a timetable recording starts: ten recordings one after another on the
// real clock, the real 100 ms tick, and the capture pipeline on the private sound server. The
// server's source is fed frames at the pace of the wall clock, each frame holding its own number,
// so the first frame of each file says when it was live: that is the figure that counts. Beside
// it the control path: the delay from the scheduled second to the end of the preparation (a
// second ahead: the device is opened early), to the status turning to recording (right after
// the start call returns), and to the delivery of the first block of sound.

#include "core/capture/CaptureFactory.h"
#include "core/controller/ClsController.h"
#include "tests/support/PacedPipeSource.h"
#include "tests/support/PrivatePulse.h"
#include "services/RealServices.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <QtEndian>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace tolvane;
using test::PacedPipeSource;

namespace {

// The first frame of a 16-bit stereo WAVE file made from the time-coded source: its number.
qint64 FirstFrameNumber(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly) || f.size() < 48)
        return -1;
    const QByteArray head = f.read(48);
    return qint64(qFromLittleEndian<quint16>(head.constData() + 44)) |
           qint64(qFromLittleEndian<quint16>(head.constData() + 46)) << 16;
}

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    test::PrivatePulse pulse;
    if (!pulse.Running()) {
        std::fprintf(stderr, "no sound server: %s\n", qPrintable(pulse.Error()));
        return 1;
    }
    // The frame's own number: the low half in the left channel, the high half in the right.
    PacedPipeSource source(pulse, "timecode",
                           [](qint64 frame, int channel) { return channel == 0 ? quint16(frame) : quint16(frame >> 16); });
    if (!source.Ready()) {
        std::fprintf(stderr, "the time-coded source did not come up\n");
        return 1;
    }
    QTemporaryDir dir;
    auto services = RealServices(dir.path());
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
        s->setFileName(QStringLiteral("r%1").arg(i));
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

    // When the first frame of each file was live, against its scheduled second.
    std::vector<double> fromSound;
    for (int i = 0; i < kRecordings; ++i) {
        const QStringList files = QDir(dir.path()).entryList({QStringLiteral("r%1.*").arg(i)}, QDir::Files);
        const qint64 n = files.size() == 1 ? FirstFrameNumber(dir.filePath(files.front())) : -1;
        if (n < 0)
            continue;
        const qint64 liveNs = source.OriginNs() + PacedPipeSource::FrameNs(n);
        fromSound.push_back(double(liveNs - starts[size_t(i)].toMSecsSinceEpoch() * 1'000'000) / 1e6);
    }

    const auto report = [](const char *what, std::vector<double> v) {
        if (v.empty()) {
            std::printf("%s: no samples\n", what);
            return;
        }
        std::sort(v.begin(), v.end(), [](double a, double b) { return std::abs(a) < std::abs(b); });
        std::printf("%-46s median %+7.2f ms   worst %+7.2f ms   (n=%zu)\n", what, v[v.size() / 2], v.back(), v.size());
    };
    std::printf("start latency, %d timetable recordings on the real clock and the private sound server\n", kRecordings);
    report("first frame of the file, as read from the sound", fromSound);
    report("scheduled second -> device opened", toPrepared);
    report("scheduled second -> recording status", toStart);
    report("scheduled second -> first block delivered", toSample);
    return toStart.size() == size_t(kRecordings) && fromSound.size() == size_t(kRecordings) ? 0 : 1;
}
