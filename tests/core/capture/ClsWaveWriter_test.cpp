#include "common/NumberedError.h"
#include "core/capture/ClsWaveWriter.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/TestServices.h"
#include "tests/support/WaveFile.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <numeric>

using namespace tolvane;
using tolvane::test::FileSizeLimit;
using tolvane::test::TestEnv;
using tolvane::test::WaveFile;

namespace {

WaveFormat StereoCd() { return DescribeCapture(Bit::Hi16bit, Frequency::Hi44100Hz, Channel::Stereo, 1).Format; }

std::vector<qint16> Ramp(size_t n, qint16 from = 0)
{
    std::vector<qint16> v(n);
    std::iota(v.begin(), v.end(), from);
    return v;
}

void WriteFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

class WaveWriterTest : public ::testing::Test {
protected:
    TestEnv env;
    ClsWaveWriter writer{env.clock};
};

}  // namespace

// A file closed without any block is a 44-byte WAVE file with the capture's format.
TEST_F(WaveWriterTest, FileWithoutBlocksIsTheBareHeader)
{
    const QString path = writer.OpenFile(env.dir.path(), StereoCd(), "rec");
    EXPECT_EQ(path, env.Path("rec.WAV"));
    EXPECT_EQ(writer.FileCursorPosition(), 45);
    EXPECT_EQ(writer.CloseFile(), path);
    EXPECT_EQ(writer.CloseFile(), QString());  // a second close finds nothing open

    const WaveFile w = WaveFile::Read(path);
    EXPECT_EQ(w.length, 44);
    EXPECT_EQ(w.ids, "RIFFWAVEfmt data");
    EXPECT_EQ(w.riffSize, 36u);
    EXPECT_EQ(w.dataSize, 0u);
    EXPECT_EQ(w.formatSize, 16u);
    EXPECT_EQ(w.formatTag, 1);
    EXPECT_EQ(w.channels, 2);
    EXPECT_EQ(w.samplesPerSec, 44100u);
    EXPECT_EQ(w.avgBytesPerSec, 176400u);
    EXPECT_EQ(w.blockAlign, 4);
    EXPECT_EQ(w.bitsPerSample, 16);
}

// The sizes on disk describe the bytes present after every single block, before any close.
TEST_F(WaveWriterTest, HeaderIsCurrentAfterEveryBlock)
{
    const QString path = writer.OpenFile(env.dir.path(), StereoCd(), "rec");
    writer.Write16(Ramp(1024));
    WaveFile w = WaveFile::Read(path);
    EXPECT_EQ(w.length, 2092);
    EXPECT_EQ(w.dataSize, 2048u);
    EXPECT_EQ(w.riffSize, 2084u);
    EXPECT_EQ(writer.FileCursorPosition(), 2093);

    std::vector<qint16> all = Ramp(1024);
    for (size_t n : {2u, 4410u, 0u, 88200u}) {
        const std::vector<qint16> block = Ramp(n, qint16(n));
        writer.Write16(block);
        all.insert(all.end(), block.begin(), block.end());
        w = WaveFile::Read(path);
        EXPECT_TRUE(w.SizesMatch()) << n;
        EXPECT_EQ(w.Samples16(), all) << n;
    }

    ClsWaveWriter eight(env.clock);
    const QString path8 =
        eight.OpenFile(env.dir.path(), DescribeCapture(Bit::lo8bit, Frequency::Lo11025Hz, Channel::mono, 1).Format, "r8");
    eight.Write8({128, 0, 255});
    eight.Write8({1});
    w = WaveFile::Read(path8);
    EXPECT_TRUE(w.SizesMatch());
    EXPECT_EQ(w.Samples8(), (std::vector<quint8>{128, 0, 255, 1}));
    EXPECT_EQ(w.bitsPerSample, 8);
}

// Without a name the file is named after the local time; the folder gets its separator.
TEST_F(WaveWriterTest, EmptyNameIsTheLocalTime)
{
    EXPECT_EQ(writer.OpenFile(env.dir.path(), StereoCd(), ""), env.dir.path() + "/20240304120000.WAV");
    ClsWaveWriter second(env.clock);
    EXPECT_EQ(second.OpenFile(env.dir.path() + "/", StereoCd(), ""), env.dir.path() + "/20240304120000_1.WAV");
}

// An earlier recording of the same name is never opened over; the next free "_n" name is used,
// free meaning no .wav, .mp3 or .rmp of that name in any case.
TEST_F(WaveWriterTest, NeverOverwritesAnExistingFile)
{
    WriteFile(env.Path("rec.WAV"), "earlier recording");
    WriteFile(env.Path("REC_1.mp3"), "mp3");
    EXPECT_EQ(writer.OpenFile(env.dir.path(), StereoCd(), "rec"), env.Path("rec_2.WAV"));
    QFile earlier(env.Path("rec.WAV"));
    ASSERT_TRUE(earlier.open(QIODevice::ReadOnly));
    EXPECT_EQ(earlier.readAll(), "earlier recording");
}

// A name that would leave the folder or hold control characters lands in the folder as one name.
TEST_F(WaveWriterTest, NameIsOnePathComponent)
{
    const QString path = writer.OpenFile(env.dir.path(), StereoCd(), QStringLiteral("../up/x\ty"));
    EXPECT_EQ(path, env.Path(".._up_x_y.WAV"));
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_EQ(QDir(env.dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

// A folder that cannot exist (it would lie under a regular file) raises the file error.
TEST_F(WaveWriterTest, UncreatableFileRaisesPathError)
{
    WriteFile(env.Path("plain"), "x");
    try {
        writer.OpenFile(env.Path("plain/sub"), StereoCd(), "rec");
        FAIL() << "no error";
    } catch (const NumberedError &e) {
        EXPECT_EQ(e.Number(), ErrNo::PathNotFound);
        EXPECT_TRUE(e.Description().contains("plain/sub/rec.WAV")) << e.Description().toStdString();
    }
    EXPECT_THROW(writer.Write16(Ramp(4)), NumberedError);
    EXPECT_EQ(writer.CloseFile(), QString());
}

// A write that fails half way (file size limit) raises "disk full" and keeps the whole frames
// of the block that reached the disk, so the file stays valid with all the sound that fitted.
TEST_F(WaveWriterTest, FullDiskKeepsTheWholeFramesThatFit)
{
    const QString path = writer.OpenFile(env.dir.path(), StereoCd(), "rec");
    writer.Write16(Ramp(1000));
    {
        FileSizeLimit limit(44 + 2000 + 3001);
        ASSERT_TRUE(limit.Set());
        writer.Write16(Ramp(1000));  // 44 + 4000 bytes: fits
        try {
            writer.Write16(Ramp(1000));  // 1001 bytes fit: 250 whole frames
            FAIL() << "no error";
        } catch (const NumberedError &e) {
            EXPECT_EQ(e.Number(), ErrNo::DiskFull);
        }
        EXPECT_THROW(writer.Write16(Ramp(1000)), NumberedError);  // nothing more fits
    }
    const WaveFile w = WaveFile::Read(path);
    EXPECT_EQ(w.length, 44 + 5000);
    EXPECT_TRUE(w.SizesMatch());
    const auto s = w.Samples16();
    EXPECT_EQ(std::vector<qint16>(s.begin() + 2000, s.end()), std::vector<qint16>(Ramp(500)));
    EXPECT_EQ(writer.DataBytes(), 5000);
    EXPECT_EQ(writer.CloseFile(), path);
    EXPECT_TRUE(WaveFile::Read(path).SizesMatch());
}
