// Ten minutes held back by the silence filter, through the capture pipeline at 44100 Hz 16-bit
// stereo, half-second blocks from the generated source as fast as they can be taken:
//
// WaveEndTrim: end trimming; 30 s of tone, 600 s of exact silence, 60 s of tone, to WAVE.
// Mp3EndTrim: the same encoded while it records, by a real encorda server.
// WaveStartTrim: start trimming (1 %); 630 s of quiet noise without a single zero frame, then
// 60 s of tone: the noise is held all along, and dropped when the tone begins on a zero frame.
// WaveUntrimmed: the end-trimming programme without trimming, the peer for the times per block.
//
// Reported: the peak resident size during the recording over the size before it (VmHWM, reset
// through /proc/self/clear_refs), the mean time per block in the first and in the last minute
// of the held stretch and their ratio, the block in which the sound comes back, the slowest
// block after it, the mean per block of the whole recording and its ratio to the untrimmed
// recording's, and the whole time including the wait for the encoder.

#include "core/capture/ClsWaveCapture2File.h"
#include "core/capture/GeneratedSoundSource.h"
#include "core/encoder/EncordaFactory.h"
#include "core/platform/CoreServices.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

#include <malloc.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <functional>
#include <numeric>
#include <string>

using namespace tolvane;
using Segment = GeneratedSoundSource::Segment;

namespace {

constexpr int kLead = 30;
constexpr int kHeld = 600;
constexpr int kAfter = 60;

enum class Kind { WaveEndTrim, Mp3EndTrim, WaveStartTrim, WaveUntrimmed };

qint64 StatusKiB(const char *field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field, 0) == 0)
            return std::stoll(line.substr(std::string(field).size()));
    }
    return -1;
}

void ResetPeak()
{
    std::ofstream("/proc/self/clear_refs") << "5";
}

// Quiet stereo noise in which no sample is zero (the generated source has no such sound), for
// `noiseSeconds`, then a tone; half a second a pump.
class QuietNoiseSource final : public SoundSource {
public:
    QuietNoiseSource(int noiseSeconds, std::shared_ptr<IUserNotifier> notifier)
        : SoundSource(std::move(notifier)), m_noiseFrames(qint64(noiseSeconds) * 44100)
    {
    }
    void Pump()
    {
        m_pending.resize(22050 * 4);
        for (qsizetype i = 0; i < 22050; ++i, ++m_frame) {
            for (int c = 0; c < 2; ++c) {
                m_state = m_state * 1103515245u + 12345u;
                const qint16 noise = qint16(1 + (m_state >> 16) % 100) * ((m_state >> 8) & 1 ? 1 : -1);
                const qint16 tone = qint16(std::lround(8000 * std::sin(double(m_frame) * 0.1425)));
                qToLittleEndian(m_frame < m_noiseFrames ? noise : tone, m_pending.data() + 4 * i + 2 * c);
            }
        }
        WakeUp(false);
    }

protected:
    void OpenDevice(const CaptureBufferDesc &, bool, qint32) override {}
    void StartDevice(std::chrono::steady_clock::time_point) override {}
    void StopDevice() override {}
    void TakeCaptured(std::vector<char> &bytes) override { bytes.swap(m_pending); }
    void ReleaseDevice() override {}

private:
    qint64 m_noiseFrames;
    qint64 m_frame = 0;
    quint32 m_state = 12345;
    std::vector<char> m_pending;
};

struct Run {
    double peakMiB = 0;
    double firstMs = 0;
    double lastMs = 0;
    double releaseMs = 0;
    double maxAfterMs = 0;
    double meanMs = 0;
    double totalS = 0;
    double writtenS = 0;  // seconds of sound in the WAVE files
    int errors = 0;
};

double MeanMs(const std::vector<double> &ms, int from, int to)
{
    return std::accumulate(ms.begin() + from, ms.begin() + to, 0.0) / (to - from);
}

Run Record(Kind kind)
{
    QTemporaryDir dir(QDir::currentPath() + "/bench-held-XXXXXX");
    auto services = std::make_shared<CoreServices>();
    services->appFolder = dir.path();
    services->clock = std::make_shared<SystemClock>();
    services->notifier = std::make_shared<RecordingNotifier>();

    const bool startTrim = kind == Kind::WaveStartTrim;
    const std::vector<Segment> script = {Segment::Tone(1000, -12, kLead), Segment::Silence(kHeld),
                                         Segment::Tone(1000, -12)};
    std::function<void()> pump;
    auto encoders = kind == Kind::Mp3EndTrim ? std::make_shared<EncordaFactory>() : nullptr;
    Run run;
    {
        ClsWaveCapture2File pipeline(
            services,
            [&]() -> std::unique_ptr<SoundSource> {
                if (startTrim) {
                    auto s = std::make_unique<QuietNoiseSource>(kLead + kHeld, services->notifier);
                    pump = [p = s.get()] { p->Pump(); };
                    return s;
                }
                auto s = std::make_unique<GeneratedSoundSource>(script, GeneratedSoundSource::Pace::Manual,
                                                                services->notifier);
                pump = [p = s.get()] { p->Pump(); };
                return s;
            },
            encoders);
        bool closed = false;
        QObject::connect(&pipeline, &ICapturePipeline::CaptureClosed, [&] { closed = true; });
        QObject::connect(&pipeline, &ICapturePipeline::WriteError, [&](const NumberedError &) { ++run.errors; });

        auto schedule = std::make_shared<ClsSchedule>(services);
        ClsWave &wave = *schedule->WaveSetting();
        wave.setENSValid(kind == Kind::WaveEndTrim || kind == Kind::Mp3EndTrim);
        wave.setSNSValid(startTrim);
        if (kind == Kind::Mp3EndTrim) {
            schedule->setRecordingFormat(FormatType::MP3);
            schedule->MP3()->setMP3RealTime(true);
        }
        uCaptureSetting setting{schedule, 2, startTrim ? 1 : 0, dir.path(), {}, {}};

        ::malloc_trim(0);  // what earlier runs freed is given back, so that it is not reused unseen
        const qint64 before = StatusKiB("VmRSS:");
        ResetPeak();
        QElapsedTimer total;
        total.start();
        pipeline.SetParameter(setting);
        pipeline.StartCapture(services->clock->Now());
        const int blocks = 2 * (kLead + kHeld + kAfter);
        std::vector<double> ms;
        for (int i = 0; i < blocks; ++i) {
            QElapsedTimer t;
            t.start();
            pump();
            ms.push_back(double(t.nsecsElapsed()) / 1e6);
            QCoreApplication::processEvents();  // the encoder's pipe is written from the event loop
        }
        pipeline.StopCapture();
        while (!closed)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
        run.totalS = double(total.nsecsElapsed()) / 1e9;
        run.peakMiB = double(StatusKiB("VmHWM:") - before) / 1024;

        const int held = 2 * kLead;
        const int release = 2 * (kLead + kHeld);
        run.firstMs = MeanMs(ms, held + 2, held + 120);
        run.lastMs = MeanMs(ms, release - 120, release);
        run.releaseMs = ms[size_t(release)];
        run.maxAfterMs = *std::max_element(ms.begin() + release, ms.end());
        run.meanMs = MeanMs(ms, 0, blocks);
    }
    for (const QFileInfo &f : QDir(dir.path()).entryInfoList({"*.WAV"}, QDir::Files))
        run.writtenS += double(f.size() - 44) / (44100 * 4);
    return run;
}

double g_untrimmedMeanMs = 0;

void Report(benchmark::State &state, const Run &run)
{
    state.SetIterationTime(run.totalS);
    state.counters["peak_MiB"] = run.peakMiB;
    state.counters["first_min_ms"] = run.firstMs;
    state.counters["last_min_ms"] = run.lastMs;
    state.counters["last_to_first"] = run.lastMs / run.firstMs;
    state.counters["release_ms"] = run.releaseMs;
    state.counters["max_after_ms"] = run.maxAfterMs;
    state.counters["mean_ms"] = run.meanMs;
    if (g_untrimmedMeanMs > 0)
        state.counters["mean_to_untrimmed"] = run.meanMs / g_untrimmedMeanMs;
    state.counters["written_s"] = run.writtenS;
    state.counters["errors"] = run.errors;
}

void BM_WaveUntrimmed(benchmark::State &state)
{
    for (auto _ : state) {
        const Run run = Record(Kind::WaveUntrimmed);
        g_untrimmedMeanMs = run.meanMs;
        Report(state, run);
    }
}

void BM_WaveEndTrim(benchmark::State &state)
{
    for (auto _ : state)
        Report(state, Record(Kind::WaveEndTrim));
}

void BM_Mp3EndTrim(benchmark::State &state)
{
    for (auto _ : state)
        Report(state, Record(Kind::Mp3EndTrim));
}

void BM_WaveStartTrim(benchmark::State &state)
{
    for (auto _ : state)
        Report(state, Record(Kind::WaveStartTrim));
}

}  // namespace

BENCHMARK(BM_WaveUntrimmed)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);
BENCHMARK(BM_WaveEndTrim)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);
BENCHMARK(BM_Mp3EndTrim)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);
BENCHMARK(BM_WaveStartTrim)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);
