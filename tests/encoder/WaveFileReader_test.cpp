#include "encoder/WaveFileReader.h"

#include "AudioTools.h"
#include "common/NumberedError.h"

#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

namespace tolvane {
namespace {

// A WAVE file with a 44-byte header; dataSize is written as given, whatever data follows.
QByteArray Wave(quint16 format, quint16 channels, quint32 rate, quint16 bits, quint32 dataSize, const QByteArray &data)
{
    QByteArray h(44, '\0');
    const auto put16 = [&h](int at, quint16 v) { qToLittleEndian(v, h.data() + at); };
    const auto put32 = [&h](int at, quint32 v) { qToLittleEndian(v, h.data() + at); };
    h.replace(0, 4, "RIFF");
    put32(4, 36 + data.size());
    h.replace(8, 8, "WAVEfmt ");
    put32(16, 16);
    put16(20, format);
    put16(22, channels);
    put32(24, rate);
    put32(28, rate * channels * bits / 8);
    put16(32, channels * bits / 8);
    put16(34, bits);
    h.replace(36, 4, "data");
    put32(40, dataSize);
    return h + data;
}

// 8-bit samples become 16-bit around zero; a data size larger than the file (a recording cut
// off) reads what is there, whole frames only.
TEST(WaveFileReader, ReadsEightBitAndCutOffFiles)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("cut.wav"));
    ASSERT_TRUE(test::WriteAll(path, Wave(1, 2, 11025, 8, 1000000, QByteArray("\x80\x00\xff\x7f\x01", 5))));

    WaveFileReader reader(path);
    EXPECT_EQ(reader.SampleRate(), 11025);
    EXPECT_EQ(reader.Channels(), 2);
    EXPECT_EQ(reader.FrameCount(), 2);
    std::vector<qint16> samples;
    reader.Read(samples, 100);
    EXPECT_EQ(samples, (std::vector<qint16>{0, -32768, 127 * 256, -256}));
    EXPECT_DOUBLE_EQ(reader.Progress(), 1.0);
    reader.Read(samples, 100);
    EXPECT_TRUE(samples.empty());
}

// A header whose data size was never written (0) reads to the end of the file.
TEST(WaveFileReader, ZeroDataSizeReadsToTheEnd)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("open.wav"));
    ASSERT_TRUE(test::WriteAll(path, Wave(1, 1, 44100, 16, 0, QByteArray("\x01\x00\xff\xff", 4))));
    WaveFileReader reader(path);
    std::vector<qint16> samples;
    reader.Read(samples, 1);
    EXPECT_EQ(samples, std::vector<qint16>{1});
    reader.Read(samples, 10);
    EXPECT_EQ(samples, std::vector<qint16>{-1});
}

// Files it cannot encode are refused with an error that names them.
TEST(WaveFileReader, RefusesWhatItCannotEncode)
{
    QTemporaryDir dir;
    const struct {
        const char *name;
        QByteArray bytes;
        qint32 number;
    } cases[] = {
        {"text.wav", QByteArray("not a wave file at all, just text"), ErrNo::TypeMismatch},
        {"float.wav", Wave(3, 2, 44100, 32, 8, QByteArray(8, '\0')), ErrNo::TypeMismatch},
        {"surround.wav", Wave(1, 6, 44100, 16, 12, QByteArray(12, '\0')), ErrNo::TypeMismatch},
        {"nodata.wav", Wave(1, 2, 44100, 16, 0, {}).left(36), ErrNo::TypeMismatch},
    };
    for (const auto &c : cases) {
        const QString path = dir.filePath(QString::fromLatin1(c.name));
        ASSERT_TRUE(test::WriteAll(path, c.bytes));
        try {
            WaveFileReader reader(path);
            ADD_FAILURE() << c.name << " was accepted";
        } catch (const NumberedError &e) {
            EXPECT_EQ(e.Number(), c.number) << c.name;
            EXPECT_TRUE(e.Description().contains(path)) << c.name;
        }
    }
    try {
        WaveFileReader reader(dir.filePath(QStringLiteral("missing.wav")));
        ADD_FAILURE() << "a missing file was accepted";
    } catch (const NumberedError &e) {
        EXPECT_EQ(e.Number(), ErrNo::FileNotFound);
    }
}

}  // namespace
}  // namespace tolvane
