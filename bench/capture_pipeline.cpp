// One hour of 44100 Hz 16-bit stereo from the generated source through the capture pipeline
// with start and end trimming, the silence splitter (-40 dB, 3 s) and ten-minute parts, against
// cat copying the same bytes to the same disk in the same run. Reported as times faster than
// real time and as the ratio of the pipeline's time to cat's. Both run three times, taking
// turns, and the best of each counts, since the machines are shared. CPU times (from getrusage)
// are reported beside: user time is the pipeline's own work, while system time also carries
// whatever page-cache writeback the kernel charges to the writer at that moment.

#include "core/capture/ClsWaveCapture2File.h"
#include "core/capture/GeneratedSoundSource.h"
#include "core/platform/CoreServices.h"

#include "BenchCpu.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <algorithm>

using namespace tolvane;
using Segment = GeneratedSoundSource::Segment;

namespace {

constexpr int kSeconds = 3600;
constexpr int kRounds = 3;

// The best of several runs.
struct Times {
    double wall = 1e9;
    Cpu cpu{1e9, 1e9};
    void Keep(double w, const Cpu &c)
    {
        wall = std::min(wall, w);
        cpu.user = std::min(cpu.user, c.user);
        cpu.system = std::min(cpu.system, c.system);
    }
};

// 50 s of tone and 10 s of silence, every minute of the hour.
std::vector<Segment> Programme()
{
    std::vector<Segment> script;
    for (int minute = 0; minute < kSeconds / 60; ++minute) {
        script.push_back(Segment::Tone(1000, -12, 50));
        script.push_back(Segment::Silence(10));
    }
    return script;
}

// Records the hour into folder; keeps its times and the files it made.
void RecordHour(const QString &folder, QStringList &files, Times &times)
{
    auto services = std::make_shared<CoreServices>();
    services->appFolder = folder;
    services->clock = std::make_shared<SystemClock>();
    services->notifier = std::make_shared<RecordingNotifier>();
    const std::vector<Segment> script = Programme();
    GeneratedSoundSource *source = nullptr;
    ClsWaveCapture2File pipeline(
        services,
        [&](const SourceChoice &) {
            auto s = std::make_unique<GeneratedSoundSource>(script, GeneratedSoundSource::Pace::Manual, services->notifier);
            source = s.get();
            return s;
        },
        nullptr);
    QObject::connect(&pipeline, &ICapturePipeline::FinishCapture, [&](const QString &path) { files << path; });

    auto schedule = std::make_shared<ClsSchedule>(services);
    ClsWave &wave = *schedule->WaveSetting();
    wave.setSNSValid(true);
    wave.setENSValid(true);
    wave.setSplit(true);
    wave.setNoSounddB(-40);
    wave.setNoSoundSeconds(3);
    wave.setSplitByTime(true);
    wave.setSplitTime(Seconds(600));
    uCaptureSetting setting{schedule, 2, 1, folder, {}, {}};

    const Cpu cpu = Cpu::Of(RUSAGE_SELF);
    QElapsedTimer timer;
    timer.start();
    pipeline.SetParameter(setting);
    pipeline.StartCapture(services->clock->Now());
    for (int i = 0; i < 2 * kSeconds; ++i)
        source->Pump();
    pipeline.StopCapture();
    QCoreApplication::processEvents();
    times.Keep(double(timer.nsecsElapsed()) / 1e9, Cpu::Of(RUSAGE_SELF) - cpu);
}

// Copies the files into one with cat, in the same folder; false when the copy is incomplete.
bool CatCopy(const QString &folder, const QStringList &files, qint64 bytes, Times &times)
{
    const Cpu cpu = Cpu::Of(RUSAGE_CHILDREN);
    QElapsedTimer timer;
    timer.start();
    QProcess cat;
    cat.setStandardOutputFile(folder + "/copy");
    cat.start("cat", files);
    cat.waitForFinished(-1);
    times.Keep(double(timer.nsecsElapsed()) / 1e9, Cpu::Of(RUSAGE_CHILDREN) - cpu);
    return cat.exitCode() == 0 && QFileInfo(folder + "/copy").size() == bytes;
}

void BM_CaptureHour(benchmark::State &state)
{
    for (auto _ : state) {
        Times pipeline, cat;
        qint64 bytes = 0;
        qsizetype parts = 0;
        for (int round = 0; round < kRounds; ++round) {
            QTemporaryDir dir(QDir::currentPath() + "/bench-capture-XXXXXX");
            QStringList files;
            RecordHour(dir.path(), files, pipeline);
            bytes = 0;
            for (const QString &f : files)
                bytes += QFileInfo(f).size();
            parts = files.size();
            if (!CatCopy(dir.path(), files, bytes, cat))
                state.SkipWithError("cat did not copy the recording");
        }
        state.SetIterationTime(pipeline.wall);
        state.counters["files"] = double(parts);
        state.counters["MB"] = double(bytes) / 1e6;
        state.counters["x_realtime"] = kSeconds / pipeline.wall;
        state.counters["cat_s"] = cat.wall;
        state.counters["ratio_to_cat"] = pipeline.wall / cat.wall;
        state.counters["user_s"] = pipeline.cpu.user;
        state.counters["sys_s"] = pipeline.cpu.system;
        state.counters["cat_user_s"] = cat.cpu.user;
        state.counters["cat_sys_s"] = cat.cpu.system;
    }
}

}  // namespace

BENCHMARK(BM_CaptureHour)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
