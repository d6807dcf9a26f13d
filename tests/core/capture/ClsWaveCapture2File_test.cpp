#include "common/NumberedError.h"
#include "core/capture/ClsWaveCapture2File.h"
#include "core/capture/GeneratedSoundSource.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/OpenFiles.h"
#include "tests/support/SmallDisk.h"
#include "tests/support/TestServices.h"
#include "tests/support/WaveFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <functional>

#include <gtest/gtest.h>

using namespace tolvane;
using tolvane::test::DescriptorsInto;
using tolvane::test::FileSizeLimit;
using tolvane::test::SmallDisk;
using tolvane::test::TestEnv;
using tolvane::test::WaveFile;
using Segment = GeneratedSoundSource::Segment;

namespace {

// An encoder that records its calls; the test decides when an encode finishes.
class FakeEncoder final : public IWavFile2MP3 {
public:
    void SetParameterRealTimeEnc(const QString &FilePath, qint32 nFreq, qint32 nChannel, qint32 nBit,
                                 const Mp3EncodeSettings &settings) override
    {
        calls.push_back(QStringLiteral("start %1 %2 %3 %4").arg(QFileInfo(FilePath).fileName()).arg(nFreq).arg(nChannel).arg(nBit));
        folders.push_back(QFileInfo(FilePath).absolutePath());
        lastSettings = settings;
    }
    void SetParameter(const QString &, qint32, qint32, const Mp3EncodeSettings &) override { calls.push_back("file"); }
    void EncodeFile() override { calls.push_back("encode file"); }
    void EncodeRealTime(const std::vector<qint16> &iBuf) override
    {
        calls.push_back(QStringLiteral("block %1").arg(iBuf.size()));
        samples.insert(samples.end(), iBuf.begin(), iBuf.end());
    }
    void FinishEncodeRealTime() override { calls.push_back("finish"); }
    void SetPriority(qint32 iPriority) override { calls.push_back(QStringLiteral("priority %1").arg(iPriority)); }

    QStringList calls;
    QStringList folders;
    Mp3EncodeSettings lastSettings;
    std::vector<qint16> samples;
};

class FakeEncoderFactory final : public IEncoderFactory {
public:
    std::unique_ptr<IWavFile2MP3> Create() override
    {
        auto e = std::make_unique<FakeEncoder>();
        last = e.get();
        return e;
    }
    FakeEncoder *last = nullptr;
};

// A pipeline on a generated source at manual pace, its events recorded.
class PipelineTest : public ::testing::Test {
protected:
    PipelineTest()
    {
        schedule->setFileName("rec");
        schedule->setName("Morning");
        QObject::connect(&pipeline, &ICapturePipeline::FinishCapture, [this](const QString &p) { finished << p; });
        QObject::connect(&pipeline, &ICapturePipeline::FinishRealTimePart, [this](const QString &p) { parts << p; });
        QObject::connect(&pipeline, &ICapturePipeline::CaptureClosed, [this] {
            closedAfter = static_cast<int>(finished.size() + parts.size());
            ++closed;
        });
        QObject::connect(&pipeline, &ICapturePipeline::WriteError,
                         [this](const NumberedError &e) { errors.push_back(e.Number()); });
        QObject::connect(&pipeline, &ICapturePipeline::ArriveWaveData16, [this](std::vector<qint16> &block) {
            ++blocks;
            arrived.insert(arrived.end(), block.begin(), block.end());
        });
        QObject::connect(&pipeline, &ICapturePipeline::ArriveWaveData8, [this](std::vector<quint8> &block) {
            ++blocks;
            arrived8.insert(arrived8.end(), block.begin(), block.end());
        });
    }

    ClsWave &Wave() { return *schedule->WaveSetting(); }
    void Format(Frequency f, Channel c, Bit b = Bit::Hi16bit)
    {
        Wave().setFrequency(f);
        Wave().setChannel(c);
        Wave().setBit(b);
    }
    void Start(std::vector<Segment> s, qint32 noSoundVolume = 0, const QString &folder = {})
    {
        script = std::move(s);
        uCaptureSetting setting{schedule, 2, noSoundVolume, folder.isEmpty() ? env.dir.path() : folder, "ignored", ""};
        pipeline.SetParameter(setting);
        pipeline.StartCapture(env.clock->Now());
    }
    void Pump(int n)
    {
        for (int i = 0; i < n; ++i)
            source->Pump();
    }
    void Stop()
    {
        pipeline.StopCapture();
        QCoreApplication::processEvents();
    }
    QStringList Files() const { return QDir(env.dir.path()).entryList(QDir::Files, QDir::Name); }
    qint64 BytesInFolder() const
    {
        qint64 bytes = 0;
        for (const QFileInfo &f : QDir(env.dir.path()).entryInfoList(QDir::Files))
            bytes += f.size();
        return bytes;
    }
    // 22.05 kHz mono with end trimming and one-minute parts: two seconds of tone, ten minutes
    // of exact silence (26 MB, more than the encoder protocol's 16 MiB), then tone again. Pumps until the tone is back, then `more` blocks, and
    // returns how far `progress` moved in each of those blocks' turns.
    std::vector<qint64> TenMinutesOfSilence(int more, const std::function<qint64()> &progress)
    {
        Format(Frequency::Mi22050Hz, Channel::mono);
        Wave().setENSValid(true);
        Wave().setSplitByTime(true);
        Wave().setSplitTime(Seconds(60));
        Start({Segment::Tone(1000, -6, 2), Segment::Silence(600), Segment::Tone(1000, -6)});
        Pump(2 * 602);
        // The silence waits in a file without a name beside the recording, not in memory.
        EXPECT_EQ(DescriptorsInto(env.dir.path()), encoders->last ? 1 : 2);
        std::vector<qint64> turns;
        for (int i = 0; i < more; ++i) {
            const qint64 before = progress();
            source->Pump();
            turns.push_back(progress() - before);
        }
        Stop();
        EXPECT_EQ(DescriptorsInto(env.dir.path()), 0);
        EXPECT_TRUE(errors.empty());
        return turns;
    }
    std::vector<qint16> Arrived(size_t from, size_t count) const
    {
        return {arrived.begin() + qsizetype(from), arrived.begin() + qsizetype(from + count)};
    }

    TestEnv env;
    std::shared_ptr<ClsSchedule> schedule = std::make_shared<ClsSchedule>(env.services);
    std::vector<Segment> script;
    GeneratedSoundSource *source = nullptr;
    std::shared_ptr<FakeEncoderFactory> encoders = std::make_shared<FakeEncoderFactory>();
    ClsWaveCapture2File pipeline{env.services,
                                 [this](const SourceChoice &) {
                                     auto s = std::make_unique<GeneratedSoundSource>(
                                         script, GeneratedSoundSource::Pace::Manual, env.notifier);
                                     source = s.get();
                                     return s;
                                 },
                                 encoders};
    QStringList finished, parts;
    std::vector<qint32> errors;
    int blocks = 0;
    int closed = 0;
    int closedAfter = -1;  // how many files had been reported when the capture said it was closed
    std::vector<qint16> arrived;
    std::vector<quint8> arrived8;
};

}  // namespace

// Every block reaches the file as it arrived, and the header on disk matches the bytes present
// after each one; the stop finishes the file once.
TEST_F(PipelineTest, HeaderMatchesDiskAfterEveryBlock)
{
    Format(Frequency::Hi44100Hz, Channel::Stereo);
    std::shared_ptr<ClsSchedule> announced;
    QObject::connect(&pipeline, qOverload<std::shared_ptr<ClsSchedule>>(&ICapturePipeline::SetParameter),
                     [&](std::shared_ptr<ClsSchedule> s) { announced = s; });
    Start({Segment::Tone(1000, -6)});
    EXPECT_EQ(announced, schedule);
    const QString path = env.Path("rec.WAV");
    for (int i = 0; i < 5; ++i) {
        source->Pump();
        const WaveFile w = WaveFile::Read(path);
        ASSERT_TRUE(w.SizesMatch()) << i;
        EXPECT_EQ(w.Samples16(), arrived) << i;
    }
    EXPECT_TRUE(finished.isEmpty());
    Stop();
    EXPECT_EQ(finished, QStringList{path});
    EXPECT_EQ(WaveFile::Read(path).Samples16().size(), 5u * 44100);
    EXPECT_TRUE(errors.empty());
}

// Ten-minute parts of 44100 Hz 16-bit stereo close after the block that takes them to
// 105,840,000 bytes, and the next part follows at once under a fresh name.
TEST_F(PipelineTest, SplitsByTimeAtTheSplitSize)
{
    Format(Frequency::Hi44100Hz, Channel::Stereo);
    Wave().setSplitByTime(true);
    Wave().setSplitTime(Seconds(600));
    Start({Segment::Tone(1000, -6)});
    EXPECT_EQ(pipeline.SplitSize(), 105'840'000);
    Pump(1199);
    EXPECT_TRUE(finished.isEmpty());
    Pump(2);
    ASSERT_EQ(finished, QStringList{env.Path("rec.WAV")});
    EXPECT_EQ(closed, 0);  // a split is not the end
    const WaveFile first = WaveFile::ReadHeader(env.Path("rec.WAV"));
    EXPECT_EQ(first.length, 105'840'044);
    EXPECT_TRUE(first.SizesMatch());
    Stop();
    EXPECT_EQ(finished, (QStringList{env.Path("rec.WAV"), env.Path("rec_1.WAV")}));
    EXPECT_EQ(closed, 1);
    EXPECT_EQ(closedAfter, 2);
    EXPECT_EQ(WaveFile::Read(env.Path("rec_1.WAV")).dataSize, 88200u);

    // Without a time split, or with a zero split time, parts only stop at 2,000,000,000 bytes.
    Wave().setSplitTime(Seconds(0));
    uCaptureSetting setting{schedule, 2, 0, env.dir.path(), {}, {}};
    pipeline.SetParameter(setting);
    EXPECT_EQ(pipeline.SplitSize(), 2'000'000'000);
    Wave().setSplitByTime(false);
    Wave().setSplitTime(Seconds(600));
    pipeline.SetParameter(setting);
    EXPECT_EQ(pipeline.SplitSize(), 2'000'000'000);
}

// Sound, five seconds of silence, sound at -40 dB and 3 s: three files, the sound up to where
// the silence began, the silence, and the sound that follows; nothing lost or doubled.
TEST_F(PipelineTest, SplitsAtLongSilence)
{
    Format(Frequency::Mi22050Hz, Channel::mono);
    Wave().setSplit(true);
    Wave().setNoSounddB(QStringLiteral("-40"));
    Wave().setNoSoundSeconds(3);
    Start({Segment::Tone(1000, -6, 2), Segment::Silence(5), Segment::Tone(1000, -6, 2)});
    Pump(18);
    Stop();
    ASSERT_EQ(finished.size(), 3);
    EXPECT_EQ(closedAfter, 3);  // the parts the stop still split off come first
    const auto s1 = WaveFile::Read(finished[0]).Samples16();
    const auto s2 = WaveFile::Read(finished[1]).Samples16();
    const auto s3 = WaveFile::Read(finished[2]).Samples16();
    EXPECT_EQ(s1, Arrived(0, 44100));
    EXPECT_EQ(s2, Arrived(44100, 110250));
    EXPECT_EQ(s3, Arrived(154350, 44100));
    for (const QString &f : finished)
        EXPECT_TRUE(WaveFile::Read(f).SizesMatch());
}

// A recording that ends in a silence too short for a split keeps that silence.
TEST_F(PipelineTest, ShortSilenceAtTheEndIsKept)
{
    Format(Frequency::Mi22050Hz, Channel::mono);
    Wave().setSplit(true);
    Wave().setNoSounddB(-40);
    Wave().setNoSoundSeconds(3);
    Start({Segment::Tone(1000, -6, 2)});
    Pump(6);
    Stop();
    ASSERT_EQ(finished.size(), 1);
    EXPECT_EQ(WaveFile::Read(finished[0]).Samples16(), arrived);
    EXPECT_EQ(arrived.size(), 66150u);
}

// Leading silence is trimmed up to the zero frame where the tone begins; trailing silence is
// cut after its first zero frame and the rest dropped at the stop. Stereo frames stay whole.
TEST_F(PipelineTest, TrimsSilenceAtStartAndEnd)
{
    Format(Frequency::Hi44100Hz, Channel::Stereo);
    Wave().setSNSValid(true);
    Wave().setENSValid(true);
    Start({Segment::Silence(0.75), Segment::Tone(1000, -6, 1.2)}, 1);
    Pump(6);
    Stop();
    ASSERT_EQ(finished.size(), 1);
    const auto written = WaveFile::Read(finished[0]).Samples16();
    // 52920 frames of tone (ending inside a block) and the first frame of silence after it.
    EXPECT_EQ(written, Arrived(2 * 33075, 2 * 52921));
    EXPECT_EQ(written.back(), 0);
    EXPECT_EQ(written[written.size() - 2], 0);
}

// A part's name avoids every .wav, .mp3 and .rmp already in the folder; a name that would
// leave the folder is made one path component.
TEST_F(PipelineTest, PartNamesAvoidExistingFiles)
{
    QFile(env.Path("rec.wav")).open(QIODevice::WriteOnly);
    QFile(env.Path("rec_1.mp3")).open(QIODevice::WriteOnly);
    Format(Frequency::Lo11025Hz, Channel::mono);
    Start({});
    Pump(1);
    Stop();
    EXPECT_EQ(finished, QStringList{env.Path("rec_2.WAV")});

    schedule->setName("../a/b");
    schedule->setFileName("\\N_\\Y");
    finished.clear();
    Start({});
    Pump(1);
    Stop();
    EXPECT_EQ(finished, QStringList{env.Path(".._a_b_2024.WAV")});
}

// A write that fails (file size limit) stops the recording, raises the error once and leaves
// the file valid with all the sound that fitted.
TEST_F(PipelineTest, WriteFailureStopsAndLeavesValidFile)
{
    Format(Frequency::Hi44100Hz, Channel::Stereo);
    Start({Segment::Tone(1000, -6)});
    {
        FileSizeLimit limit(44 + 3 * 88200 + 1000);
        ASSERT_TRUE(limit.Set());
        Pump(5);
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(errors, std::vector<qint32>{ErrNo::DiskFull});
    ASSERT_EQ(finished, QStringList{env.Path("rec.WAV")});
    const WaveFile w = WaveFile::Read(finished[0]);
    EXPECT_TRUE(w.SizesMatch());
    EXPECT_EQ(w.Samples16(), Arrived(0, 3 * 44100 + 500));  // and the whole frames of the block that fitted
    EXPECT_EQ(pipeline.Capturer(), nullptr);
}

// Monitoring forwards blocks and writes nothing, not even at its end.
TEST_F(PipelineTest, MonitorWritesNothing)
{
    script = {Segment::Tone(1000, -6)};
    pipeline.BeginMonitor(schedule);
    Pump(3);
    EXPECT_EQ(blocks, 3);
    pipeline.EndMonitor();
    QCoreApplication::processEvents();
    EXPECT_TRUE(finished.isEmpty());
    EXPECT_TRUE(Files().isEmpty());
    EXPECT_EQ(closed, 0);
}

// The controller may shorten a block or empty it to the placeholder; what it leaves is written.
TEST_F(PipelineTest, WritesTheBlockAsTheListenerLeavesIt)
{
    Format(Frequency::Lo11025Hz, Channel::mono);
    int n = 0;
    QObject::connect(&pipeline, &ICapturePipeline::ArriveWaveData16, [&](std::vector<qint16> &block) {
        ++n;
        if (n == 2)
            block.resize(100);
        if (n == 3)
            block.assign(1, 0);
    });
    Start({Segment::Tone(1000, -6)});
    Pump(4);
    Stop();
    ASSERT_EQ(finished.size(), 1);
    EXPECT_EQ(WaveFile::Read(finished[0]).Samples16().size(), 5512u + 100 + 5513);
}

// 8-bit recordings go through the 8-bit events and writer, trimmed around the level 128.
TEST_F(PipelineTest, EightBitRecording)
{
    Format(Frequency::Lo11025Hz, Channel::mono, Bit::lo8bit);
    Wave().setSNSValid(true);
    Start({Segment::Silence(0.25), Segment::Tone(441, -6)}, 1);
    Pump(2);
    Stop();
    ASSERT_EQ(finished.size(), 1);
    const WaveFile w = WaveFile::Read(finished[0]);
    EXPECT_EQ(w.bitsPerSample, 8);
    const std::vector<quint8> expected(arrived8.begin() + 2756, arrived8.end());
    EXPECT_EQ(w.Samples8(), expected);
    EXPECT_EQ(w.Samples8().front(), 128);
}

// Real-time MP3: blocks go to the encoder, parts split by size under unique names with the
// tag texts expanded; each part is reported when the encoder has closed it. No WAVE file.
TEST_F(PipelineTest, RealTimeMp3Parts)
{
    Format(Frequency::Lo11025Hz, Channel::mono);
    schedule->setRecordingFormat(FormatType::MP3);
    schedule->MP3()->setMP3RealTime(true);
    ID3Tag tag = schedule->MP3()->ID3Tag();
    tag.Title = "\\N at \\h:\\m";
    schedule->MP3()->setID3Tag(tag);
    Wave().setSplitByTime(true);
    Wave().setSplitTime(Seconds(1));
    Start({Segment::Tone(1000, -6)});
    Pump(4);
    Stop();
    FakeEncoder &e = *encoders->last;
    EXPECT_EQ(e.calls, (QStringList{"start rec.mp3 11025 1 16", "priority 32", "block 5512", "block 5513", "block 5512",
                                    "finish", "start rec_1.mp3 11025 1 16", "priority 32", "block 5513", "finish"}));
    EXPECT_EQ(e.folders.front(), env.dir.path());
    EXPECT_EQ(e.lastSettings.TagTitle, "Morning at 12:00");
    EXPECT_EQ(e.samples, arrived);
    EXPECT_TRUE(finished.isEmpty());
    EXPECT_TRUE(Files().isEmpty());

    EXPECT_TRUE(parts.isEmpty());
    emit e.FinishEncode();
    EXPECT_EQ(parts, QStringList{env.Path("rec.mp3")});
    EXPECT_EQ(closed, 0);
    emit e.FinishEncode();
    EXPECT_EQ(parts, (QStringList{env.Path("rec.mp3"), env.Path("rec_1.mp3")}));
    EXPECT_EQ(closed, 1);
    EXPECT_EQ(closedAfter, 2);
}

// Ten minutes of held silence are written in pieces once the sound is back: each block's turn
// writes little more than the catch-up allowance, the parts still split at their size, and
// every sample arrives in its place.
TEST_F(PipelineTest, LongHeldSilenceIsWrittenInPieces)
{
    const std::vector<qint64> turns = TenMinutesOfSilence(10, [this] { return BytesInFolder(); });
    const qint64 allowance = 2 * (ClsWaveCapture2File::kCatchUpSamples + pipeline.PieceSamples()) + 44;
    for (qint64 t : turns)
        EXPECT_LE(t, allowance);
    EXPECT_EQ(turns.back(), 2 * 11025);  // caught up: one block a turn

    std::vector<qint16> written;
    ASSERT_GE(finished.size(), 10);
    for (qsizetype i = 0; i < finished.size(); ++i) {
        const WaveFile w = WaveFile::Read(finished[i]);
        ASSERT_TRUE(w.SizesMatch());
        if (i + 1 < finished.size()) {
            EXPECT_GE(w.dataSize, 2'646'000u) << i;
            EXPECT_LE(w.dataSize, 2'646'000u + 2 * 11025) << i;  // within half a second
        }
        const std::vector<qint16> s = w.Samples16();
        written.insert(written.end(), s.begin(), s.end());
    }
    ASSERT_GE(written.size(), arrived.size() - 100);  // at most a few trailing zero frames held
    EXPECT_TRUE(std::equal(written.begin(), written.end(), arrived.begin()));
}

// The same through the real-time encoder: no message is larger than a piece, parts split at
// their size, and the encoder gets every sample in order.
TEST_F(PipelineTest, LongHeldSilenceReachesTheEncoderInPieces)
{
    schedule->setRecordingFormat(FormatType::MP3);
    schedule->MP3()->setMP3RealTime(true);
    const std::vector<qint64> turns =
        TenMinutesOfSilence(10, [this] { return encoders->last ? qint64(encoders->last->samples.size()) : 0; });
    const qint64 sent = qint64(encoders->last->samples.size());
    for (qint64 t : turns)
        EXPECT_LE(t, ClsWaveCapture2File::kCatchUpSamples + pipeline.PieceSamples());
    EXPECT_EQ(turns.back(), 11025);

    std::vector<qint64> partSamples{0};
    for (const QString &call : encoders->last->calls) {
        if (call.startsWith("block ")) {
            const qint64 n = call.mid(6).toLongLong();
            EXPECT_LE(n, 11025);  // half a second
            partSamples.back() += n;
        } else if (call == "finish") {
            partSamples.push_back(0);
        }
    }
    ASSERT_GE(partSamples.size(), 11u);
    for (size_t i = 0; i + 2 < partSamples.size(); ++i) {
        EXPECT_GT(2 * partSamples[i], 2'646'000) << i;
        EXPECT_LE(2 * partSamples[i], 2'646'000 + 2 * 11025) << i;
    }
    ASSERT_GE(sent, qint64(arrived.size()) - 100);
    EXPECT_TRUE(std::equal(encoders->last->samples.begin(), encoders->last->samples.end(), arrived.begin()));
}

// Held-back silence that the disk cannot take stops the recording as a failed write does:
// one error, the file valid with all the sound before the silence, nothing left open.
TEST_F(PipelineTest, HeldSilenceOnAFullDiskStopsTheRecording)
{
    SmallDisk disk(1 << 20);
    ASSERT_TRUE(disk.Mounted());
    Format(Frequency::Mi22050Hz, Channel::mono);
    Wave().setENSValid(true);
    Start({Segment::Tone(1000, -6, 2), Segment::Silence()}, 0, disk.Path());
    Pump(2 * 120);  // 4 MiB of silence stay in memory, then it goes to the disk
    QCoreApplication::processEvents();
    EXPECT_EQ(errors, std::vector<qint32>{ErrNo::DiskFull});
    EXPECT_EQ(closed, 1);
    ASSERT_EQ(finished.size(), 1);
    const WaveFile w = WaveFile::Read(finished[0]);
    EXPECT_TRUE(w.SizesMatch());
    EXPECT_EQ(w.Samples16(), Arrived(0, w.Samples16().size()));
    EXPECT_GE(w.Samples16().size(), 44100u);
    EXPECT_EQ(DescriptorsInto(disk.Path()), 0);
    EXPECT_EQ(pipeline.Capturer(), nullptr);
}

// A real-time MP3 recording without an encoder fails to prepare.
TEST_F(PipelineTest, RealTimeMp3NeedsAnEncoder)
{
    ClsWaveCapture2File bare(env.services, [](const SourceChoice &) { return nullptr; }, nullptr);
    schedule->setRecordingFormat(FormatType::MP3);
    schedule->MP3()->setMP3RealTime(true);
    uCaptureSetting setting{schedule, 2, 0, env.dir.path(), {}, {}};
    EXPECT_THROW(bare.SetParameter(setting), NumberedError);
}
