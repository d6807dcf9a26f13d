// The CPU share of recording, by sound source: a minute of 44100 Hz 16-bit stereo WAVE from the
// sound card (the private sound server's sine source through ALSA's plugin), and a minute of a
// 128 kbit/s MP3 stream served on loopback by FFmpeg, decoded and resampled by the recorder. The
// share is this process's CPU time (user and system, from getrusage) over the wall time of the
// recording; the sound server and the stream server are processes of their own and not counted.
// The stream's target is under 3 % of one core. Usage: bench_source_cpu [seconds]

#include "core/capture/ClsWaveCapture2File.h"
#include "core/capture/SoundSourceConfig.h"
#include "core/platform/CoreServices.h"
#include "tests/support/LoopbackPort.h"
#include "tests/support/PrivatePulse.h"

#include "BenchCpu.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <cstdio>


using namespace tolvane;

namespace {

struct Share {
    double cpuSeconds = 0;
    double wallSeconds = 0;
    qint64 bytes = 0;
};

// Records `seconds` from the source the schedule names, into `folder`.
Share Record(const QString &folder, const QString &url, int seconds)
{
    auto services = std::make_shared<CoreServices>();
    services->appFolder = folder;
    services->clock = std::make_shared<SystemClock>();
    services->notifier = std::make_shared<StderrNotifier>();
    ClsWaveCapture2File pipeline(
        services, [&](const SourceChoice &c) { return SoundSourceConfig{}.MakeSource(services->notifier, c); },
        nullptr);
    QString file;
    QObject::connect(&pipeline, &ICapturePipeline::FinishCapture, [&](const QString &path) { file = path; });

    auto schedule = std::make_shared<ClsSchedule>(services);
    if (!url.isEmpty())
        schedule->setStreamURL(url);
    uCaptureSetting setting{schedule, 2, 1, folder, QStringLiteral("take"), {}};
    pipeline.SetParameter(setting);
    // A stream is opened ahead, as the timetable does, and settles before the minute begins.
    QThread::sleep(url.isEmpty() ? 1 : 5);

    const Cpu cpu = Cpu::Of(RUSAGE_SELF);
    const auto begun = std::chrono::steady_clock::now();
    pipeline.StartCapture(services->clock->Now());
    QEventLoop loop;
    QTimer::singleShot(seconds * 1000, &loop, &QEventLoop::quit);
    loop.exec();
    pipeline.StopCapture();
    const QDeadlineTimer finish(10000);
    while (file.isEmpty() && !finish.hasExpired())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    Share share;
    share.cpuSeconds = (Cpu::Of(RUSAGE_SELF) - cpu).Total();
    share.wallSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - begun).count();
    share.bytes = file.isEmpty() ? 0 : QFile(file).size();
    return share;
}

void Report(const char *what, const Share &s)
{
    std::printf("%-52s %6.2f %% of one core   (%.2f s CPU in %.1f s, %.1f MB written)\n", what,
                100.0 * s.cpuSeconds / s.wallSeconds, s.cpuSeconds, s.wallSeconds, double(s.bytes) / 1e6);
}

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 60;
    test::PrivatePulse pulse;
    if (!pulse.Running()) {
        std::fprintf(stderr, "no sound server: %s\n", qPrintable(pulse.Error()));
        return 1;
    }
    const quint16 port = test::FreeLoopbackPort();
    const QString url = QStringLiteral("http://127.0.0.1:%1/live.mp3").arg(port);
    QProcess server;
    server.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    server.start("ffmpeg", {"-hide_banner", "-nostdin", "-loglevel", "error", "-re", "-f", "lavfi", "-i",
                            "sine=frequency=440:sample_rate=44100", "-ac", "2", "-c:a", "libmp3lame", "-b:a", "128k",
                            "-f", "mp3", "-content_type", "audio/mpeg", "-listen", "1", url});
    if (!server.waitForStarted(5000)) {
        std::fprintf(stderr, "ffmpeg did not start\n");
        return 1;
    }
    QThread::sleep(2);  // until it listens

    QTemporaryDir dir;
    std::printf("CPU share of recording %d s to WAVE (44100 Hz, 16 bit, stereo)\n", seconds);
    const Share card = Record(dir.path(), {}, seconds);
    Report("sound card (private sound server, ALSA plugin)", card);
    const Share stream = Record(dir.path(), url, seconds);
    Report("128 kbit/s MP3 stream on loopback (target < 3 %)", stream);
    server.kill();
    server.waitForFinished(5000);
    const qint64 expected = qint64(seconds) * 176400;
    return card.bytes > expected / 2 && stream.bytes > expected / 2 ? 0 : 1;
}
