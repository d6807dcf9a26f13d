// Ten minutes of 44100 Hz 16-bit stereo encoded to WMA 2 at 128 kbit/s in ASF by the Windows
// Media writer, half a second at a time as a recording hands it over (the header kept current
// on disk as it goes), against the ffmpeg program encoding the same sound from a raw file to
// the same disk in the same run. Reported as times faster than real time, as the ratio of the
// writer's time to ffmpeg's, and as the longest the writer took over one half second. Both run
// three times, taking turns, and the best of each counts, since the machines are shared.

#include "core/capture/WmaFileWriter.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <numbers>

using namespace tolvane;

namespace {

constexpr int kSeconds = 600;
constexpr int kRounds = 3;
constexpr qint32 kRate = 44100;

// The whole programme, interleaved stereo: a 1 kHz tone with a slow tremolo, so that the
// encoder has changing sound to work on.
std::vector<qint16> Programme()
{
    std::vector<qint16> samples;
    samples.reserve(size_t(kSeconds) * kRate * 2);
    for (qint64 i = 0; i < qint64(kSeconds) * kRate; ++i) {
        const double t = double(i) / kRate;
        const double level = 8000 + 6000 * std::sin(2 * std::numbers::pi * 0.5 * t);
        const auto v = qint16(std::lround(level * std::sin(2 * std::numbers::pi * 1000 * t)));
        samples.push_back(v);
        samples.push_back(qint16(-v));
    }
    return samples;
}

struct Run {
    double wall = 1e9;
    double worstBlock = 0;
};

Run EncodeWithWriter(const std::vector<qint16> &programme, const QString &path)
{
    QElapsedTimer total, block;
    total.start();
    WmaFileWriter writer(WmeSession(), kRate);
    writer.Create(path);
    double worst = 0;
    const size_t half = size_t(kRate);  // half a second of stereo samples
    for (size_t at = 0; at < programme.size(); at += half) {
        block.start();
        writer.Write(programme.data() + at, qint64(std::min(half, programme.size() - at)));
        worst = std::max(worst, double(block.nsecsElapsed()) / 1e6);
    }
    writer.Close();
    return {double(total.nsecsElapsed()) / 1e9, worst};
}

double EncodeWithFfmpeg(const QString &raw, const QString &path)
{
    QElapsedTimer timer;
    timer.start();
    QProcess ffmpeg;
    ffmpeg.start("ffmpeg", {"-v", "error", "-y", "-f", "s16le", "-ar", "44100", "-ac", "2", "-i", raw, "-c:a", "wmav2",
                            "-b:a", "128k", path});
    ffmpeg.waitForFinished(-1);
    return ffmpeg.exitCode() == 0 ? double(timer.nsecsElapsed()) / 1e9 : -1;
}

void BM_EncodeTenMinutes(benchmark::State &state)
{
    const std::vector<qint16> programme = Programme();
    for (auto _ : state) {
        QTemporaryDir dir(QDir::currentPath() + "/bench-wma-XXXXXX");
        const QString raw = dir.filePath("programme.raw");
        QFile f(raw);
        if (!f.open(QIODevice::WriteOnly) ||
            f.write(reinterpret_cast<const char *>(programme.data()), qint64(programme.size() * 2)) !=
                qint64(programme.size() * 2)) {
            state.SkipWithError("cannot write the raw programme");
            return;
        }
        f.close();

        Run writer;
        double ffmpeg = 1e9;
        for (int round = 0; round < kRounds; ++round) {
            const Run r = EncodeWithWriter(programme, dir.filePath("writer.wma"));
            writer.wall = std::min(writer.wall, r.wall);
            writer.worstBlock = std::max(writer.worstBlock, r.worstBlock);
            QFile::remove(dir.filePath("writer.wma"));
            const double p = EncodeWithFfmpeg(raw, dir.filePath("ffmpeg.wma"));
            if (p < 0) {
                state.SkipWithError("ffmpeg did not encode the programme");
                return;
            }
            ffmpeg = std::min(ffmpeg, p);
        }
        state.SetIterationTime(writer.wall);
        state.counters["x_realtime"] = kSeconds / writer.wall;
        state.counters["ffmpeg_s"] = ffmpeg;
        state.counters["ratio_to_ffmpeg"] = writer.wall / ffmpeg;
        state.counters["worst_half_second_ms"] = writer.worstBlock;
    }
}

}  // namespace

BENCHMARK(BM_EncodeTenMinutes)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
