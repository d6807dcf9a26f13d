#include "encoder/Mp3Encoder.h"

#include "AudioTools.h"
#include "common/NumberedError.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <cmath>
#include <csignal>
#include <numbers>

namespace tolvane {
namespace {

struct RecordedEvents : IEncoderEvents {
    void FilesChosen(const QString &workingInput, const QString &output) override
    {
        working = workingInput;
        this->output = output;
    }
    void EncodeError(const NumberedError &error) override { errors.push_back(error.Number()); }
    void FinishEncode() override { ++finished; }

    QString working;
    QString output;
    std::vector<qint32> errors;
    int finished = 0;
};

QByteArray Block(const std::vector<qint16> &values)
{
    QByteArray bytes(static_cast<qsizetype>(values.size()) * 2, Qt::Uninitialized);
    qToLittleEndian<qint16>(values.data(), static_cast<qsizetype>(values.size()), bytes.data());
    return bytes;
}

std::vector<qint16> Decoded(const QString &mp3)
{
    const QByteArray raw = test::RunProgram(QStringLiteral("mpg123"), {QStringLiteral("-q"), QStringLiteral("-s"), mp3}).out;
    std::vector<qint16> samples(static_cast<size_t>(raw.size() / 2));
    qFromLittleEndian<qint16>(raw.constData(), static_cast<qsizetype>(samples.size()), samples.data());
    return samples;
}

// Fewer bytes than the reserve are held back until the end, then drained whole, the last
// frame padded with silence: 2,500 samples come out as three frames of 1,152.
TEST(Mp3Encoder, RealTimeHoldsBackTheReserveUntilTheEnd)
{
    QTemporaryDir dir;
    RecordedEvents events;
    Mp3Encoder encoder(events);
    encoder.SetParameterRealTimeEnc(dir.filePath(QStringLiteral("short.mp3")), 44100, 1, 16, Mp3EncodeSettings());
    ASSERT_TRUE(events.errors.empty());

    encoder.EncodeRealTime(Block(std::vector<qint16>(2500, 1000)));
    EXPECT_EQ(QFileInfo(events.output).size(), 0);
    EXPECT_EQ(events.finished, 0);

    encoder.FinishEncodeRealTime();
    EXPECT_TRUE(events.errors.empty());
    EXPECT_EQ(events.finished, 1);
    EXPECT_EQ(test::DecodedFrames(events.output, 1), 3 * 1152);
    EXPECT_FALSE(encoder.Busy());
}

// A long block is encoded while the recording runs, not only at its end.
TEST(Mp3Encoder, RealTimeEncodesBeyondTheReserveAtOnce)
{
    QTemporaryDir dir;
    RecordedEvents events;
    Mp3Encoder encoder(events);
    encoder.SetParameterRealTimeEnc(dir.filePath(QStringLiteral("long.mp3")), 44100, 2, 16, Mp3EncodeSettings());
    std::vector<qint16> second(44100 * 2);
    for (size_t i = 0; i < second.size(); ++i)
        second[i] = static_cast<qint16>(8000 * std::sin(static_cast<double>(i / 2) * 0.05));
    encoder.EncodeRealTime(Block(second));
    EXPECT_GT(QFileInfo(events.output).size(), 0);
    encoder.FinishEncodeRealTime();
    EXPECT_EQ(events.finished, 1);
    const qint64 frames = test::DecodedFrames(events.output, 2);
    EXPECT_GE(frames, 44100);
    EXPECT_LT(frames, 44100 + 1152);
}

// 8-bit values 0 to 255 encode as sound around the middle, and the drain pads with the 8-bit
// zero level: the recording's silent end stays silent.
TEST(Mp3Encoder, RealTimeEightBitKeepsItsZeroLevel)
{
    QTemporaryDir dir;
    RecordedEvents events;
    Mp3Encoder encoder(events);
    encoder.SetParameterRealTimeEnc(dir.filePath(QStringLiteral("eight.mp3")), 22050, 1, 8, Mp3EncodeSettings());

    std::vector<qint16> values;
    for (int i = 0; i < 22050; ++i)
        values.push_back(static_cast<qint16>(128 + std::lround(100 * std::sin(2 * std::numbers::pi * 441 * i / 22050.0))));
    values.insert(values.end(), 6000, 128);
    encoder.EncodeRealTime(Block(values));
    encoder.FinishEncodeRealTime();
    ASSERT_EQ(events.finished, 1);

    const std::vector<qint16> decoded = Decoded(events.output);
    ASSERT_GE(decoded.size(), values.size());
    double sum = 0;
    for (size_t i = 5000; i < 15000; ++i)
        sum += double(decoded[i]) * decoded[i];
    EXPECT_NEAR(std::sqrt(sum / 10000), 100 * 256 / std::sqrt(2.0), 2000);
    int tail = 0;
    for (size_t i = decoded.size() - 1000; i < decoded.size(); ++i)
        tail = std::max(tail, std::abs(int(decoded[i])));
    EXPECT_LT(tail, 500);
}

// An output that cannot be created is reported at set-up; the blocks that follow are dropped
// and the end is still reported, once.
TEST(Mp3Encoder, RealTimeOutputErrorEndsTheJobOnce)
{
    QTemporaryDir dir;
    ASSERT_TRUE(test::WriteAll(dir.filePath(QStringLiteral("file")), "x"));
    RecordedEvents events;
    Mp3Encoder encoder(events);
    encoder.SetParameterRealTimeEnc(dir.filePath(QStringLiteral("file/rec.mp3")), 44100, 2, 16, Mp3EncodeSettings());
    ASSERT_EQ(events.errors.size(), 1u);
    encoder.EncodeRealTime(Block(std::vector<qint16>(44100, 0)));
    encoder.FinishEncodeRealTime();
    encoder.FinishEncodeRealTime();
    EXPECT_EQ(events.errors.size(), 1u);
    EXPECT_EQ(events.finished, 1);
}

// A write error in a RIFF WAVE file encode (the file-size limit) keeps the WAVE file under its
// own name even with MP3DeleteWavFile on, and removes the unfinished MP3 file.
TEST(Mp3Encoder, FileWriteErrorKeepsTheWave)
{
    QTemporaryDir dir;
    const QString wav = dir.filePath(QStringLiteral("rec.WAV"));
    ASSERT_TRUE(test::MakeWave(wav, 44100, 2, 16, 10));
    const qint64 size = QFileInfo(wav).size();

    RecordedEvents events;
    Mp3Encoder encoder(events);
    Mp3EncodeSettings s;
    s.MP3FileFormat = 1;
    s.MP3DeleteWavFile = true;
    encoder.SetParameter(wav, 44100, 1, s);
    ASSERT_TRUE(events.errors.empty());
    EXPECT_EQ(events.working, dir.filePath(QStringLiteral("rec.mp3.tmp")));
    EXPECT_EQ(events.output, dir.filePath(QStringLiteral("rec.mp3.wav")));
    EXPECT_FALSE(QFileInfo::exists(wav));

    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto savedSignal = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 64 * 1024;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    int slices = 0;
    while (encoder.EncodeFileSlice() && ++slices < 10000) {
    }
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, savedSignal);

    EXPECT_EQ(events.errors.size(), 1u);
    EXPECT_EQ(events.finished, 1);
    EXPECT_EQ(QFileInfo(wav).size(), size);
    EXPECT_FALSE(QFileInfo::exists(events.working));
    EXPECT_FALSE(QFileInfo::exists(events.output));
}

// A WAVE file that cannot be read fails at set-up, is left alone, and the encode ends at once.
TEST(Mp3Encoder, UnreadableInputEndsWithoutWork)
{
    QTemporaryDir dir;
    const QString wav = dir.filePath(QStringLiteral("bad.wav"));
    ASSERT_TRUE(test::WriteAll(wav, "RIFF....WAVEjunk"));
    RecordedEvents events;
    Mp3Encoder encoder(events);
    Mp3EncodeSettings s;
    s.MP3FileFormat = 1;
    encoder.SetParameter(wav, 44100, 1, s);
    ASSERT_EQ(events.errors, std::vector<qint32>{ErrNo::TypeMismatch});
    EXPECT_FALSE(encoder.EncodeFileSlice());
    EXPECT_EQ(events.finished, 1);
    EXPECT_EQ(test::ReadAll(wav), "RIFF....WAVEjunk");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("bad.wav")});
}

}  // namespace
}  // namespace tolvane
