// The MP3 encoder server against the lame program, and its load during a recording.
//
// FileEncodeVsLame: a 10-minute 44100 Hz stereo WAVE file (pink noise, the hardest input for
// the encoder) encoded with the recorder's default MP3 settings (128 kbit/s, mid/side stereo)
// by encorda through its client, from the start of the server to FinishEncode, and by
// "lame -b 128 -m f" on the same file, alternately. Reports both times and their ratio.
//
// RealTimeCpuShare: 60 seconds of half-second blocks of the same file handed to a real-time
// encode at the pace of a recording; reports the server's CPU time as a share of one core,
// and the recording process's own share for sending the blocks.

#include "core/encoder/ClsWavFile2MP3.h"
#include "core/encoder/EncordaFactory.h"
#include "encoder/WaveFileReader.h"

#include "BenchCpu.h"

#include <benchmark/benchmark.h>

#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

using namespace tolvane;

namespace {

constexpr int kWaveSeconds = 600;
constexpr int kRealTimeSeconds = 60;

struct Input {
    QTemporaryDir dir;
    QString wav = dir.filePath(QStringLiteral("input.wav"));

    Input()
    {
        const int rc = QProcess::execute(QStringLiteral("sox"),
                                         {QStringLiteral("-n"), QStringLiteral("-r"), QStringLiteral("44100"),
                                          QStringLiteral("-c"), QStringLiteral("2"), QStringLiteral("-b"),
                                          QStringLiteral("16"), wav, QStringLiteral("synth"),
                                          QString::number(kWaveSeconds), QStringLiteral("pinknoise"),
                                          QStringLiteral("vol"), QStringLiteral("0.5")});
        if (rc != 0) {
            std::fprintf(stderr, "sox could not make the input file\n");
            std::exit(1);
        }
    }
};

Input &SharedInput()
{
    static Input input;
    return input;
}

struct Cost {
    double wall = 0;
    double cpu = 0;  // of the encoding process, user and system
};

double ChildrenCpuSeconds()
{
    return Cpu::Of(RUSAGE_CHILDREN).Total();
}

// Both processes are waited for by QProcess, so their CPU time shows in RUSAGE_CHILDREN.
Cost EncordaCost(const QString &wav)
{
    QFile::remove(SharedInput().dir.filePath(QStringLiteral("input.mp3")));
    const double cpuStart = ChildrenCpuSeconds();
    QElapsedTimer clock;
    clock.start();
    Cost cost;
    {
        std::unique_ptr<IWavFile2MP3> encoder = EncordaFactory().Create();
        QEventLoop loop;
        bool failed = false;
        QObject::connect(encoder.get(), &IWavFile2MP3::FinishEncode, &loop, &QEventLoop::quit);
        QObject::connect(encoder.get(), &IWavFile2MP3::EncodeError, [&](const NumberedError &e) {
            std::fprintf(stderr, "encorda: %s\n", e.what());
            failed = true;
        });
        encoder->SetParameter(wav, 44100, 1, Mp3EncodeSettings());
        encoder->EncodeFile();
        loop.exec();
        cost.wall = clock.nsecsElapsed() / 1e9;
        if (failed)
            return Cost{-1, -1};
    }
    cost.cpu = ChildrenCpuSeconds() - cpuStart;
    return cost;
}

Cost LameCost(const QString &wav)
{
    const QString out = SharedInput().dir.filePath(QStringLiteral("lame.mp3"));
    QFile::remove(out);
    const double cpuStart = ChildrenCpuSeconds();
    QElapsedTimer clock;
    clock.start();
    const int rc = QProcess::execute(QStringLiteral("lame"), {QStringLiteral("--quiet"), QStringLiteral("-b"),
                                                               QStringLiteral("128"), QStringLiteral("-m"),
                                                               QStringLiteral("f"), wav, out});
    if (rc != 0)
        return Cost{-1, -1};
    return Cost{clock.nsecsElapsed() / 1e9, ChildrenCpuSeconds() - cpuStart};
}

void FileEncodeVsLame(benchmark::State &state)
{
    const QString wav = SharedInput().wav;
    Cost encorda;
    Cost lame;
    for (auto _ : state) {
        const Cost e = EncordaCost(wav);
        const Cost l = LameCost(wav);
        if (e.wall < 0 || l.wall < 0) {
            state.SkipWithError("an encode failed");
            return;
        }
        encorda.wall += e.wall;
        encorda.cpu += e.cpu;
        lame.wall += l.wall;
        lame.cpu += l.cpu;
        state.SetIterationTime(e.wall);
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["encorda_s"] = encorda.wall / n;
    state.counters["lame_s"] = lame.wall / n;
    state.counters["ratio"] = encorda.wall / lame.wall;
    state.counters["encorda_cpu_s"] = encorda.cpu / n;
    state.counters["lame_cpu_s"] = lame.cpu / n;
    state.counters["cpu_ratio"] = encorda.cpu / lame.cpu;
}
BENCHMARK(FileEncodeVsLame)->UseManualTime()->Iterations(3)->Unit(benchmark::kSecond);

double ProcessCpuSeconds(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return -1;
    // The fields after the command name, which is in parentheses and may hold spaces.
    const QByteArray line = stat.readAll();
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    if (fields.size() < 13)
        return -1;
    return (fields[11].toDouble() + fields[12].toDouble()) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

double OwnCpuSeconds()
{
    return Cpu::Of(RUSAGE_SELF).Total();
}

void RealTimeCpuShare(benchmark::State &state)
{
    WaveFileReader reader(SharedInput().wav);
    QTemporaryDir dir;
    for (auto _ : state) {
        auto encoder = EncordaFactory().Create();
        const qint64 pid = dynamic_cast<ClsWavFile2MP3 &>(*encoder).ServerProcessId();
        encoder->SetParameterRealTimeEnc(dir.filePath(QStringLiteral("live.mp3")), 44100, 2, 16, Mp3EncodeSettings());

        const double serverStart = ProcessCpuSeconds(pid);
        const double ownStart = OwnCpuSeconds();
        QElapsedTimer clock;
        clock.start();
        std::vector<qint16> block;
        int sent = 0;
        QEventLoop loop;
        QTimer pace;
        QObject::connect(&pace, &QTimer::timeout, &loop, [&] {
            reader.Read(block, 22050);
            encoder->EncodeRealTime(block);
            if (++sent == 2 * kRealTimeSeconds)
                loop.quit();
        });
        pace.start(500);
        loop.exec();
        pace.stop();
        const double serverCpu = ProcessCpuSeconds(pid) - serverStart;
        const double ownCpu = OwnCpuSeconds() - ownStart;
        const double wall = clock.nsecsElapsed() / 1e9;
        QObject::connect(encoder.get(), &IWavFile2MP3::FinishEncode, &loop, &QEventLoop::quit);
        encoder->FinishEncodeRealTime();
        loop.exec();

        state.SetIterationTime(wall);
        state.counters["server_cpu_pct"] = 100 * serverCpu / wall;
        state.counters["recorder_cpu_pct"] = 100 * ownCpu / wall;
    }
}
BENCHMARK(RealTimeCpuShare)->UseManualTime()->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
