#include "core/encoder/ClsWavFile2MP3.h"
#include "core/encoder/EncordaFactory.h"

#include "AudioTools.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

#include <ostream>

#include <sys/resource.h>

#include <cerrno>
#include <cmath>
#include <csignal>
#include <map>

namespace tolvane {
namespace {

constexpr int kEncodeTimeoutMs = 180000;

// What an encoder object reported.
struct Observer {
    explicit Observer(IWavFile2MP3 &encoder)
    {
        QObject::connect(&encoder, &IWavFile2MP3::EncodeError, [this](const NumberedError &e) { errors.push_back(e); });
        QObject::connect(&encoder, &IWavFile2MP3::FinishEncode, [this] { ++finished; });
        QObject::connect(&encoder, &IWavFile2MP3::EncodeProgress, [this](double f) { progress.push_back(f); });
    }
    QString ErrorText() const
    {
        QStringList texts;
        for (const NumberedError &e : errors)
            texts << QString::number(e.Number()) + QStringLiteral(": ") + e.Description();
        return texts.join(QLatin1Char('\n'));
    }
    std::vector<NumberedError> errors;
    std::vector<double> progress;
    int finished = 0;
};

struct Chunk {
    QByteArray id;
    qint64 offset = 0;  // of the chunk's data
    qint64 size = 0;
};

// The chunks of a RIFF file; empty when its sizes do not add up to the file.
std::vector<Chunk> RiffChunks(const QByteArray &file, const QByteArray &form)
{
    if (file.size() < 12 || !file.startsWith("RIFF") || file.mid(8, 4) != form
        || qFromLittleEndian<quint32>(file.constData() + 4) != quint32(file.size() - 8))
        return {};
    std::vector<Chunk> chunks;
    qint64 at = 12;
    while (at + 8 <= file.size()) {
        Chunk c{file.mid(at, 4), at + 8, qFromLittleEndian<quint32>(file.constData() + at + 4)};
        if (c.offset + c.size > file.size())
            return {};
        chunks.push_back(c);
        at = c.offset + c.size + c.size % 2;
    }
    return at == file.size() ? chunks : std::vector<Chunk>{};
}

QByteArray Padded(const QByteArray &bytes, qsizetype length)
{
    return bytes + QByteArray(length - bytes.size(), ' ');
}

Mp3EncodeSettings TaggedSettings()
{
    Mp3EncodeSettings s;
    s.MakeID3Tag = true;
    s.TagTitle = QStringLiteral("ラジオ講座");
    s.TagArtist = QStringLiteral("NHK");
    s.TagAlbum = QStringLiteral("Album");
    s.TagYear = QStringLiteral("2024");
    s.TagComment = QStringLiteral("comment");
    s.TagGenre = 101;
    return s;
}

QByteArray ExpectedTag()
{
    return "TAG" + Padded("\x83\x89\x83\x57\x83\x49\x8d\x75\x8d\xc0", 30) + Padded("NHK", 30) + Padded("Album", 30)
           + "2024" + Padded("comment", 30) + char(101);
}

class EncoderClient : public testing::Test {
protected:
    std::unique_ptr<IWavFile2MP3> Create() { return factory.Create(); }

    // Encodes a file with a fresh encoder object and waits for its end.
    Observer EncodeFile(const QString &wav, qint32 rate, qint32 channel, const Mp3EncodeSettings &s)
    {
        std::unique_ptr<IWavFile2MP3> encoder = Create();
        Observer seen(*encoder);
        encoder->SetParameter(wav, rate, channel, s);
        encoder->EncodeFile();
        EXPECT_TRUE(test::WaitUntil([&] { return seen.finished > 0; }, kEncodeTimeoutMs));
        return seen;
    }

    QString Path(const QString &name) const { return dir.filePath(name); }

    QTemporaryDir dir;
    EncordaFactory factory;
};

struct ModeCase {
    const char *name;
    int rate;
    int channels;
    int bits;
    QStringList synth;
    std::function<void(Mp3EncodeSettings &)> configure;
    int outRate;
    int outChannels;
    qint64 minBitRate;
    qint64 maxBitRate;
    const char *mode;
    int quietAboveHz;  // 0: no low-pass check
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const ModeCase &c, std::ostream *os)
{
    *os << c.name;
}

class OutputModes : public EncoderClient, public testing::WithParamInterface<ModeCase> {};

// Thirty seconds in each output mode give a file that ffprobe and mpg123 read, with the
// expected bit rate, sample rate, channels, channel mode and length (within one frame).
TEST_P(OutputModes, EncodesThirtySecondFile)
{
    const ModeCase &c = GetParam();
    const QString wav = Path(QStringLiteral("rec.wav"));
    ASSERT_TRUE(c.synth.isEmpty() ? test::MakeWave(wav, c.rate, c.channels, c.bits, 30)
                                  : test::MakeWave(wav, c.rate, c.channels, c.bits, 30, c.synth));
    Mp3EncodeSettings s;
    c.configure(s);

    const Observer seen = EncodeFile(wav, c.rate, c.channels == 1 ? 0 : 1, s);
    EXPECT_TRUE(seen.errors.empty()) << seen.ErrorText().toStdString();
    EXPECT_EQ(seen.finished, 1);
    EXPECT_TRUE(QFileInfo::exists(wav));

    const QString mp3 = Path(QStringLiteral("rec.mp3"));
    const std::optional<test::Mp3Stream> stream = test::Probe(mp3);
    ASSERT_TRUE(stream);
    EXPECT_EQ(stream->codec, QStringLiteral("mp3"));
    EXPECT_EQ(stream->sampleRate, c.outRate);
    EXPECT_EQ(stream->channels, c.outChannels);
    EXPECT_GE(stream->bitRate, c.minBitRate);
    EXPECT_LE(stream->bitRate, c.maxBitRate);
    EXPECT_EQ(test::Mpg123Mode(mp3), QString::fromLatin1(c.mode));

    const qint64 frame = c.outRate >= 32000 ? 1152 : 576;
    EXPECT_NEAR(double(test::DecodedFrames(mp3, c.outChannels)), 30.0 * c.outRate, double(frame));

    if (c.quietAboveHz > 0) {
        const std::optional<double> level = test::LevelAboveDb(mp3, c.quietAboveHz);
        ASSERT_TRUE(level);
        EXPECT_LT(*level, -50.0);
    }
}

const QStringList kNoise{QStringLiteral("whitenoise")};

INSTANTIATE_TEST_SUITE_P(
    Cases, OutputModes,
    testing::Values(
        ModeCase{"Cbr128Stereo", 44100, 2, 16, {}, [](Mp3EncodeSettings &s) { s.MP3Stereo = 1; }, 44100, 2, 128000,
                 128000, "stereo", 0},
        ModeCase{"CbrMonoHalving", 44100, 2, 16, {}, [](Mp3EncodeSettings &s) { s.MP3Stereo = 0; }, 44100, 1, 64000,
                 64000, "mono", 0},
        ModeCase{"VbrWithLimits", 44100, 2, 16, {QStringLiteral("pinknoise")},
                 [](Mp3EncodeSettings &s) {
                     s.MP3VBR = true;
                     s.MP3VBRQuality = 4;
                     s.MP3LimitVBRBitRate = true;
                     s.MP3VBRMinBitRate = 96;
                     s.MP3VBRMaxBitRate = 160;
                 },
                 44100, 2, 96000, 160000, "j-s", 0},
        ModeCase{"JointStereo", 44100, 2, 16, {}, [](Mp3EncodeSettings &s) { s.MP3Stereo = 2; }, 44100, 2, 128000,
                 128000, "j-s", 0},
        ModeCase{"DualChannel", 44100, 2, 16, {}, [](Mp3EncodeSettings &s) { s.MP3Stereo = 4; }, 44100, 2, 128000,
                 128000, "dual", 0},
        ModeCase{"CustomLowPass", 44100, 1, 16, kNoise,
                 [](Mp3EncodeSettings &s) {
                     s.MP3CustomizeLPF = true;
                     s.MP3LPFA = 20;
                     s.MP3LPFB = 30;
                 },
                 44100, 1, 64000, 64000, "mono", 8000},
        ModeCase{"Input32000", 32000, 2, 16, {}, [](Mp3EncodeSettings &) {}, 32000, 2, 128000, 128000, "j-s", 0},
        ModeCase{"Input22050", 22050, 2, 16, {}, [](Mp3EncodeSettings &) {}, 22050, 2, 80000, 80000, "j-s", 0},
        ModeCase{"ResampledTo22050", 44100, 2, 16, {},
                 [](Mp3EncodeSettings &s) {
                     s.MP3SetIOFreq = true;
                     s.MP3OutFreq = 22050;
                 },
                 22050, 2, 80000, 80000, "j-s", 0},
        ModeCase{"EightBitMono11025", 11025, 1, 8, {}, [](Mp3EncodeSettings &) {}, 11025, 1, 40000, 40000, "mono", 0}),
    [](const testing::TestParamInfo<ModeCase> &info) { return info.param.name; });

// A RIFF WAVE output takes the WAVE file's name pattern: the input steps aside to a free
// "mp3.tmp" name (rec.mp3.tmp is taken here) and comes back unchanged; the output is a WAVE
// file with format tag 0x55 whose data chunk is the MP3 stream and whose "id3 " chunk is the tag.
TEST_F(EncoderClient, RiffWaveOutput)
{
    const QString wav = Path(QStringLiteral("rec.WAV"));
    ASSERT_TRUE(test::MakeWave(wav, 44100, 2, 16, 5));
    const QByteArray original = test::ReadAll(wav);
    ASSERT_TRUE(test::WriteAll(Path(QStringLiteral("rec.mp3.tmp")), "someone else's"));

    Mp3EncodeSettings s = TaggedSettings();
    s.MP3FileFormat = 1;
    const Observer seen = EncodeFile(wav, 44100, 1, s);
    ASSERT_TRUE(seen.errors.empty()) << seen.ErrorText().toStdString();
    EXPECT_EQ(test::ReadAll(wav), original);
    EXPECT_EQ(test::ReadAll(Path(QStringLiteral("rec.mp3.tmp"))), "someone else's");
    EXPECT_FALSE(QFileInfo::exists(Path(QStringLiteral("rec.mp3_1.tmp"))));

    const QString out = Path(QStringLiteral("rec.mp3.wav"));
    const QByteArray file = test::ReadAll(out);
    const std::vector<Chunk> chunks = RiffChunks(file, "WAVE");
    ASSERT_EQ(chunks.size(), 4u);
    EXPECT_EQ(chunks[0].id, "fmt ");
    EXPECT_EQ(qFromLittleEndian<quint16>(file.constData() + chunks[0].offset), 0x55);
    EXPECT_EQ(qFromLittleEndian<quint16>(file.constData() + chunks[0].offset + 2), 2);
    EXPECT_EQ(qFromLittleEndian<quint32>(file.constData() + chunks[0].offset + 4), 44100u);
    EXPECT_EQ(qFromLittleEndian<quint32>(file.constData() + chunks[0].offset + 8), 16000u);
    EXPECT_EQ(chunks[1].id, "fact");
    EXPECT_EQ(chunks[2].id, "data");
    EXPECT_EQ(chunks[3].id, "id3 ");
    EXPECT_EQ(file.mid(chunks[3].offset, chunks[3].size), ExpectedTag());

    const std::optional<test::Mp3Stream> stream = test::Probe(out);
    ASSERT_TRUE(stream);
    EXPECT_EQ(stream->formatName, QStringLiteral("wav"));
    EXPECT_EQ(stream->codec, QStringLiteral("mp3"));
    const QString payload = Path(QStringLiteral("payload.mp3"));
    ASSERT_TRUE(test::WriteAll(payload, file.mid(chunks[2].offset, chunks[2].size)));
    EXPECT_NEAR(double(test::DecodedFrames(payload, 2)), 5.0 * 44100, 1152.0);
}

// A RIFF RMP3 output: the data chunk is the MP3 stream, the tag follows in its own chunk.
TEST_F(EncoderClient, RiffRmpOutput)
{
    const QString wav = Path(QStringLiteral("rec.wav"));
    ASSERT_TRUE(test::MakeWave(wav, 22050, 2, 16, 5));
    Mp3EncodeSettings s = TaggedSettings();
    s.MP3FileFormat = 2;
    const Observer seen = EncodeFile(wav, 22050, 1, s);
    ASSERT_TRUE(seen.errors.empty()) << seen.ErrorText().toStdString();
    EXPECT_TRUE(QFileInfo::exists(wav));

    const QByteArray file = test::ReadAll(Path(QStringLiteral("rec.rmp")));
    const std::vector<Chunk> chunks = RiffChunks(file, "RMP3");
    ASSERT_EQ(chunks.size(), 2u);
    EXPECT_EQ(chunks[0].id, "data");
    EXPECT_EQ(chunks[1].id, "id3 ");
    EXPECT_EQ(file.mid(chunks[1].offset, chunks[1].size), ExpectedTag());
    const QString payload = Path(QStringLiteral("payload.mp3"));
    ASSERT_TRUE(test::WriteAll(payload, file.mid(chunks[0].offset, chunks[0].size)));
    EXPECT_NEAR(double(test::DecodedFrames(payload, 2)), 5.0 * 22050, 576.0);
}

// A plain MP3 file ends with the exact version 1 tag and starts with a version 2 tag whose
// UTF-16 texts players read as they are; MP3DeleteWavFile deletes the WAVE file after the
// success. The handler of FinishEncode may drop the encoder object, as the controller does.
TEST_F(EncoderClient, TaggedMp3AndDeletedWave)
{
    const QString wav = Path(QStringLiteral("rec.wav"));
    ASSERT_TRUE(test::MakeWave(wav, 44100, 2, 16, 5));
    Mp3EncodeSettings s = TaggedSettings();
    s.MP3DeleteWavFile = true;

    std::unique_ptr<IWavFile2MP3> encoder = Create();
    std::vector<NumberedError> errors;
    bool finished = false;
    QObject::connect(encoder.get(), &IWavFile2MP3::EncodeError, [&](const NumberedError &e) { errors.push_back(e); });
    QObject::connect(encoder.get(), &IWavFile2MP3::FinishEncode, [&] {
        finished = true;
        encoder.reset();
    });
    encoder->SetParameter(wav, 44100, 1, s);
    encoder->EncodeFile();
    ASSERT_TRUE(test::WaitUntil([&] { return finished; }, kEncodeTimeoutMs));
    EXPECT_TRUE(errors.empty());
    EXPECT_FALSE(QFileInfo::exists(wav));

    const QString mp3 = Path(QStringLiteral("rec.mp3"));
    const QByteArray file = test::ReadAll(mp3);
    ASSERT_GT(file.size(), 128);
    EXPECT_EQ(file.right(128), ExpectedTag());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("rec.mp3")});

    EXPECT_TRUE(file.startsWith("ID3"));
    const auto probed = test::Probe(mp3);
    ASSERT_TRUE(probed);
    EXPECT_EQ(probed->tags.value("title"), QStringLiteral("ラジオ講座"));
    EXPECT_EQ(probed->tags.value("artist"), "NHK");
    EXPECT_EQ(probed->tags.value("album"), "Album");
    EXPECT_EQ(probed->tags.value("date"), "2024");
    EXPECT_EQ(probed->tags.value("comment"), "comment");
    EXPECT_EQ(probed->tags.value("genre"), "Speech");
    // The tag before the stream changes neither its length nor its gapless end.
    EXPECT_NEAR(double(test::DecodedFrames(mp3, 2)), 5.0 * 44100, 576.0);
}

// A WAVE file that is not there gives the error and still the end of the job.
TEST_F(EncoderClient, MissingInputReportsAndFinishes)
{
    const Observer seen = EncodeFile(Path(QStringLiteral("gone.wav")), 44100, 1, Mp3EncodeSettings());
    ASSERT_EQ(seen.errors.size(), 1u);
    EXPECT_EQ(seen.errors[0].Number(), ErrNo::FileNotFound);
    EXPECT_EQ(seen.finished, 1);
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
}

std::vector<qint16> SineBlock(int frames, int channels, int &phase)
{
    std::vector<qint16> block;
    block.reserve(size_t(frames) * channels);
    for (int i = 0; i < frames; ++i, ++phase)
        for (int c = 0; c < channels; ++c)
            block.push_back(static_cast<qint16>(9000 * std::sin(phase * (0.06 + 0.02 * c))));
    return block;
}

// Twenty seconds of half-second blocks and one block of a hundred seconds (17 MB, more than
// one message may carry) through the client give an MP3 file of 120 seconds (the drain adds
// at most one frame).
TEST_F(EncoderClient, RealTimeEncodeHasTheRecordedLength)
{
    std::unique_ptr<IWavFile2MP3> encoder = Create();
    Observer seen(*encoder);
    const QString mp3 = Path(QStringLiteral("live.mp3"));
    Mp3EncodeSettings s;
    s.MP3Stereo = 2;
    encoder->SetParameterRealTimeEnc(mp3, 44100, 2, 16, s);
    int phase = 0;
    for (int i = 0; i < 40; ++i)
        encoder->EncodeRealTime(SineBlock(22050, 2, phase));
    encoder->EncodeRealTime(SineBlock(100 * 44100, 2, phase));
    encoder->FinishEncodeRealTime();
    ASSERT_TRUE(test::WaitUntil([&] { return seen.finished > 0; }, kEncodeTimeoutMs));
    EXPECT_TRUE(seen.errors.empty()) << seen.ErrorText().toStdString();
    EXPECT_EQ(seen.finished, 1);

    const std::optional<test::Mp3Stream> stream = test::Probe(mp3);
    ASSERT_TRUE(stream);
    EXPECT_EQ(stream->sampleRate, 44100);
    EXPECT_EQ(stream->channels, 2);
    EXPECT_EQ(stream->bitRate, 128000);
    const qint64 frames = test::DecodedFrames(mp3, 2);
    EXPECT_GE(frames, 120 * 44100);
    EXPECT_LT(frames, 120 * 44100 + 1152);
}

// A recording split into parts starts the next part before the end of the last one has come
// back; a server killed in the second part still ends each part once, the first one whole.
TEST_F(EncoderClient, SplitRecordingPartsEachGetTheirEnd)
{
    auto *encoder = new ClsWavFile2MP3(factory.EncordaPath());
    std::unique_ptr<IWavFile2MP3> owner(encoder);
    Observer seen(*encoder);
    int phase = 0;
    encoder->SetParameterRealTimeEnc(Path(QStringLiteral("part.mp3")), 44100, 2, 16, Mp3EncodeSettings());
    for (int i = 0; i < 4; ++i)
        encoder->EncodeRealTime(SineBlock(22050, 2, phase));
    encoder->FinishEncodeRealTime();
    encoder->SetParameterRealTimeEnc(Path(QStringLiteral("part_1.mp3")), 44100, 2, 16, Mp3EncodeSettings());
    encoder->EncodeRealTime(SineBlock(22050, 2, phase));
    ASSERT_TRUE(test::WaitUntil([&] { return seen.finished > 0; }, kEncodeTimeoutMs));
    EXPECT_TRUE(seen.errors.empty()) << seen.ErrorText().toStdString();
    ASSERT_EQ(::kill(static_cast<pid_t>(encoder->ServerProcessId()), SIGKILL), 0);

    ASSERT_TRUE(test::WaitUntil([&] { return seen.finished > 1; }, kEncodeTimeoutMs));
    ASSERT_EQ(seen.errors.size(), 1u);
    EXPECT_EQ(seen.errors[0].Number(), ClsWavFile2MP3::kErrServerLost);
    const qint64 frames = test::DecodedFrames(Path(QStringLiteral("part.mp3")), 2);
    EXPECT_GE(frames, 2 * 44100);
    EXPECT_LT(frames, 2 * 44100 + 1152);
}

// An encoder object dropped in the middle of a recording still leaves the whole recording.
TEST_F(EncoderClient, DroppingTheObjectFinishesTheRecording)
{
    const QString mp3 = Path(QStringLiteral("dropped.mp3"));
    {
        std::unique_ptr<IWavFile2MP3> encoder = Create();
        encoder->SetParameterRealTimeEnc(mp3, 22050, 2, 16, Mp3EncodeSettings());
        int phase = 0;
        for (int i = 0; i < 10; ++i)
            encoder->EncodeRealTime(SineBlock(11025, 2, phase));
    }
    const qint64 frames = test::DecodedFrames(mp3, 2);
    EXPECT_GE(frames, 5 * 22050);
    EXPECT_LT(frames, 5 * 22050 + 1152);
}

// Killing the server in the middle of a file encode: the error arrives with the end of the
// job, the WAVE file is back under its own name, no half MP3 file stays, and the next job
// on the same object runs in a new server.
TEST_F(EncoderClient, KilledServerEndsTheJobAndTheNextRuns)
{
    const QString wav = Path(QStringLiteral("long.wav"));
    ASSERT_TRUE(test::MakeWave(wav, 44100, 2, 16, 300));
    const qint64 size = QFileInfo(wav).size();

    auto *encoder = new ClsWavFile2MP3(factory.EncordaPath());
    std::unique_ptr<IWavFile2MP3> owner(encoder);
    Observer seen(*encoder);
    Mp3EncodeSettings s;
    s.MP3FileFormat = 1;
    s.MP3DeleteWavFile = true;
    encoder->SetParameter(wav, 44100, 1, s);
    encoder->EncodeFile();
    ASSERT_TRUE(test::WaitUntil([&] { return !seen.progress.empty() || seen.finished > 0; }, kEncodeTimeoutMs));
    ASSERT_EQ(seen.finished, 0) << "the encode ended before it could be killed";
    EXPECT_GT(seen.progress.front(), 0.0);
    EXPECT_LT(seen.progress.front(), 1.0);
    EXPECT_FALSE(QFileInfo::exists(wav));
    const qint64 firstServer = encoder->ServerProcessId();
    ASSERT_GT(firstServer, 0);
    ASSERT_EQ(::kill(static_cast<pid_t>(firstServer), SIGKILL), 0);

    ASSERT_TRUE(test::WaitUntil([&] { return seen.finished > 0; }, kEncodeTimeoutMs));
    EXPECT_EQ(seen.finished, 1);
    ASSERT_EQ(seen.errors.size(), 1u);
    EXPECT_EQ(seen.errors[0].Number(), ClsWavFile2MP3::kErrServerLost);
    EXPECT_EQ(QFileInfo(wav).size(), size);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("long.wav")});

    const QString next = Path(QStringLiteral("next.wav"));
    ASSERT_TRUE(test::MakeWave(next, 44100, 2, 16, 3));
    encoder->SetParameter(next, 44100, 1, Mp3EncodeSettings());
    encoder->EncodeFile();
    EXPECT_NE(encoder->ServerProcessId(), firstServer);
    ASSERT_TRUE(test::WaitUntil([&] { return seen.finished > 1; }, kEncodeTimeoutMs));
    EXPECT_EQ(seen.errors.size(), 1u);
    EXPECT_NEAR(double(test::DecodedFrames(Path(QStringLiteral("next.mp3")), 2)), 3.0 * 44100, 1152.0);
}

// An encoder object dropped in the middle of a file encode has its server abandon the encode:
// the WAVE file is back under its own name and no half MP3 file stays.
TEST_F(EncoderClient, DroppingTheObjectMidFileEncodePutsTheWaveBack)
{
    const QString wav = Path(QStringLiteral("long.wav"));
    ASSERT_TRUE(test::MakeWave(wav, 44100, 2, 16, 300));
    const qint64 size = QFileInfo(wav).size();
    {
        std::unique_ptr<IWavFile2MP3> encoder = Create();
        Observer seen(*encoder);
        Mp3EncodeSettings s;
        s.MP3FileFormat = 1;
        encoder->SetParameter(wav, 44100, 1, s);
        encoder->EncodeFile();
        ASSERT_TRUE(test::WaitUntil([&] { return !seen.progress.empty() || seen.finished > 0; }, kEncodeTimeoutMs));
        ASSERT_EQ(seen.finished, 0) << "the encode ended before the object was dropped";
        EXPECT_FALSE(QFileInfo::exists(wav));
    }
    EXPECT_EQ(QFileInfo(wav).size(), size);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("long.wav")});
}

// SetPriority sets the server's nice value from the priority class.
TEST_F(EncoderClient, SetPriorityChangesTheServersNiceValue)
{
    auto *encoder = new ClsWavFile2MP3(factory.EncordaPath());
    std::unique_ptr<IWavFile2MP3> owner(encoder);
    const auto pid = static_cast<id_t>(encoder->ServerProcessId());
    const auto niceIs = [pid](int wanted) {
        return test::WaitUntil([&] {
            errno = 0;
            const int nice = getpriority(PRIO_PROCESS, pid);
            return errno == 0 && nice == wanted;
        }, 10000);
    };
    encoder->SetPriority(32768);
    EXPECT_TRUE(niceIs(-5));
    encoder->SetPriority(64);
    EXPECT_TRUE(niceIs(19));
}

// A server that cannot start, or that dies before it answers, makes creation fail with the
// reason it gave.
TEST_F(EncoderClient, CreationFailsWithTheReason)
{
    EncordaFactory missing(Path(QStringLiteral("no-such-encorda")));
    EXPECT_FALSE(missing.Probe());
    try {
        missing.Create();
        ADD_FAILURE() << "created without a server";
    } catch (const NumberedError &e) {
        EXPECT_EQ(e.Number(), ClsWavFile2MP3::kErrCannotStart);
    }

    const QString script = Path(QStringLiteral("broken-encorda"));
    ASSERT_TRUE(test::WriteAll(script, "#!/bin/sh\necho 'libmp3lame.so.0: cannot open shared object file' >&2\nexit 127\n"));
    ASSERT_TRUE(QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    try {
        EncordaFactory(script).Create();
        ADD_FAILURE() << "created with a broken server";
    } catch (const NumberedError &e) {
        EXPECT_EQ(e.Number(), ClsWavFile2MP3::kErrCannotStart);
        EXPECT_TRUE(e.Description().contains(QStringLiteral("libmp3lame.so.0"))) << e.what();
    }
    EXPECT_TRUE(EncordaFactory().Probe());
}

}  // namespace
}  // namespace tolvane
