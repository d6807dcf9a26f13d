#include "common/NumberedError.h"
#include "core/capture/WmaFileWriter.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/MediaFile.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

using namespace tolvane;
using tolvane::test::FileSizeLimit;
using tolvane::test::MediaFile;

namespace {

// Half a second of a tone at half of full scale, interleaved over `channels`, from frame `from`.
std::vector<qint16> HalfSecond(qint32 rate, qint32 channels, double hertz, qint64 from)
{
    std::vector<qint16> block;
    for (qint64 i = from; i < from + rate / 2; ++i) {
        const auto v = qint16(std::lround(16384 * std::sin(2 * std::numbers::pi * hertz * double(i) / rate)));
        block.insert(block.end(), size_t(channels), v);
    }
    return block;
}

WmeSession Session(const QString &codec, qint32 bitRate, qint32 rate, qint32 channels)
{
    WmeSession s;
    s.Codec = codec;
    s.BitRate = bitRate;
    s.SampleRate = rate;
    s.Channels = channels;
    return s;
}

// A copy of the file as it lies on disk now, as a crash at this moment would leave it.
QString Snapshot(const QString &path, const QString &copy)
{
    QFile::remove(copy);
    QFile::copy(path, copy);
    return copy;
}

qint32 ErrorOf(const std::function<void()> &call)
{
    try {
        call();
    } catch (const NumberedError &e) {
        return e.Number();
    }
    return 0;
}

}  // namespace

// Cut off after any block, the file reads as ASF holding the sound written so far, and decodes
// without complaint; closed, it holds all of it.
TEST(WmaFileWriter, PlayableAtEveryMomentAndWholeWhenClosed)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("live.wma");
    WmaFileWriter w(WmeSession(), 44100);
    w.Create(path);
    for (int block = 0; block < 12; ++block) {
        const auto samples = HalfSecond(44100, 2, 1000, block * 22050);
        w.Write(samples.data(), qint64(samples.size()));
        if (block % 4 != 1)
            continue;
        const double written = (block + 1) * 0.5;
        const MediaFile cut = MediaFile::Read(Snapshot(path, dir.filePath("cut.wma")));
        ASSERT_TRUE(cut.probed) << cut.errors.toStdString();
        EXPECT_EQ(cut.formatName, "asf");
        EXPECT_EQ(cut.codecName, "wmav2");
        EXPECT_TRUE(cut.errors.isEmpty()) << cut.errors.toStdString();
        // What lies in the encoder and the packet being filled (a fraction of a second) is not on disk yet.
        EXPECT_GT(cut.duration, written - 0.5) << "after " << written << " s";
        EXPECT_LE(cut.duration, written);
        EXPECT_NEAR(cut.DecodedSeconds(), cut.duration, 0.1);
        EXPECT_NEAR(cut.ToneFrequency(), 1000, 5);
    }
    w.Close();

    const MediaFile whole = MediaFile::Read(path);
    ASSERT_TRUE(whole.probed) << whole.errors.toStdString();
    EXPECT_TRUE(whole.errors.isEmpty()) << whole.errors.toStdString();
    EXPECT_EQ(whole.sampleRate, 44100);
    EXPECT_EQ(whole.channels, 2);
    EXPECT_EQ(whole.bitRate, 128000);
    // The encoder's delay and its last frame filled with silence add a few hundredths.
    EXPECT_NEAR(whole.duration, 6.0, 0.1);
    EXPECT_NEAR(whole.DecodedSeconds(), 6.0, 0.1);
    EXPECT_NEAR(whole.ToneFrequency(), 1000, 2);
}

struct SessionCase {
    const char *codec;
    qint32 bitRate, rate, channels, inputRate;
};

class WmaFileWriterSessions : public ::testing::TestWithParam<SessionCase> {};

// The session's codec, rate, channels and bit rate reach the file; a capture at another rate
// is resampled, so the tone keeps its pitch and the file its length.
TEST_P(WmaFileWriterSessions, FileFollowsTheSession)
{
    const SessionCase c = GetParam();
    QTemporaryDir dir;
    const QString path = dir.filePath("s.wma");
    WmaFileWriter w(Session(c.codec, c.bitRate, c.rate, c.channels), c.inputRate);
    w.Create(path);
    for (int block = 0; block < 6; ++block) {
        const auto samples = HalfSecond(c.inputRate, c.channels, 440, qint64(block) * (c.inputRate / 2));
        w.Write(samples.data(), qint64(samples.size()));
    }
    w.Close();
    const MediaFile m = MediaFile::Read(path);
    ASSERT_TRUE(m.probed) << m.errors.toStdString();
    EXPECT_EQ(m.codecName, c.codec);
    EXPECT_EQ(m.sampleRate, c.rate);
    EXPECT_EQ(m.channels, c.channels);
    EXPECT_EQ(m.bitRate, c.bitRate);
    EXPECT_NEAR(m.duration, 3.0, 0.15);
    EXPECT_NEAR(m.ToneFrequency(), 440, 3);
}

INSTANTIATE_TEST_SUITE_P(Sessions, WmaFileWriterSessions,
                         ::testing::Values(SessionCase{"wmav1", 64000, 48000, 2, 48000},
                                           SessionCase{"wmav2", 32000, 22050, 1, 22050},
                                           SessionCase{"wmav2", 48000, 16000, 1, 22050},
                                           SessionCase{"wmav2", 24000, 8000, 1, 11025}),
                         [](const auto &info) {
                             return QStringLiteral("%1_%2Hz_%3ch")
                                 .arg(info.param.codec)
                                 .arg(info.param.rate)
                                 .arg(info.param.channels)
                                 .toStdString();
                         });

// Settings the encoder cannot take, a codec FFmpeg lacks, and files that cannot be created are
// refused with their numbers; an existing file is never touched.
TEST(WmaFileWriter, Refusals)
{
    EXPECT_EQ(ErrorOf([] { WmaFileWriter(Session("wmav2", 8000, 8000, 1), 11025); }), ErrNo::InvalidProcedureCall);
    EXPECT_EQ(ErrorOf([] { WmaFileWriter(Session("wmav9", 128000, 44100, 2), 44100); }), ErrNo::CannotCreateObject);

    QTemporaryDir dir;
    const QString taken = dir.filePath("taken.wma");
    {
        QFile f(taken);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("keep me");
    }
    WmaFileWriter w(WmeSession(), 44100);
    EXPECT_EQ(ErrorOf([&] { w.Create(taken); }), ErrNo::FileAlreadyExists);
    QFile f(taken);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), "keep me");
    EXPECT_EQ(ErrorOf([&] { w.Create(dir.filePath("no/such/folder.wma")); }), ErrNo::PathNotFound);
    // A failed creation leaves the writer ready for another name.
    w.Create(dir.filePath("fine.wma"));
    w.Close();
    EXPECT_TRUE(MediaFile::Read(dir.filePath("fine.wma")).probed);
}

// A disk that fills up mid-recording fails the write with 61, and the file keeps a header that
// counts only the packets that reached it, so it still plays.
TEST(WmaFileWriter, FullDiskLeavesAPlayableFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("full.wma");
    WmaFileWriter w(WmeSession(), 44100);
    w.Create(path);
    qint32 error = 0;
    {
        FileSizeLimit limit(40000);  // about two seconds at 128 kbit/s
        ASSERT_TRUE(limit.Set());
        for (int block = 0; block < 10 && !error; ++block) {
            const auto samples = HalfSecond(44100, 2, 1000, block * 22050);
            error = ErrorOf([&] { w.Write(samples.data(), qint64(samples.size())); });
        }
        EXPECT_EQ(error, ErrNo::DiskFull);
        EXPECT_EQ(ErrorOf([&] { w.Close(); }), ErrNo::DiskFull);
    }
    const MediaFile m = MediaFile::Read(path);
    ASSERT_TRUE(m.probed) << m.errors.toStdString();
    EXPECT_TRUE(m.errors.isEmpty()) << m.errors.toStdString();
    EXPECT_GT(m.duration, 1.5);
    EXPECT_LT(m.duration, 2.6);
    EXPECT_NEAR(m.DecodedSeconds(), m.duration, 0.1);
    EXPECT_NEAR(m.ToneFrequency(), 1000, 5);
}
