#include "core/capture/ClsWaveWriter.h"
#include "tests/support/TestServices.h"
#include "tests/support/WaveFile.h"
#include "tools/header_repair/WaveHeaderRepair.h"

#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

using namespace tolvane;
using tolvane::test::TestEnv;
using tolvane::test::WaveFile;

namespace {

QByteArray ReadAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void Overwrite(const QString &path, qint64 offset, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    f.seek(offset);
    f.write(bytes);
}

// A file as the recorder leaves it when killed: its header, some blocks, and sizes that lag
// behind (here zeroed), plus half a block that never made it into the header.
QString CutOffRecording(const TestEnv &env, qint64 extraBytes)
{
    ClsWaveWriter writer(env.clock);
    const QString path = writer.OpenFile(
        env.dir.path(), DescribeCapture(Bit::Hi16bit, Frequency::Hi44100Hz, Channel::Stereo, 1).Format, "cut");
    writer.Write16(std::vector<qint16>(44100, 1000));
    writer.CloseFile();
    QFile f(path);
    f.open(QIODevice::Append);
    f.write(QByteArray(extraBytes, '\x11'));
    f.close();
    Overwrite(path, 4, QByteArray(4, '\0'));
    Overwrite(path, 40, QByteArray(4, '\0'));
    return path;
}

}  // namespace

// The sizes follow the length: 1,000,044 bytes give RIFF 1,000,036 and data 1,000,000, and
// nothing else of the file changes.
TEST(WaveHeaderRepair, SizesFollowTheLength)
{
    TestEnv env;
    const QString path = CutOffRecording(env, 1'000'044 - 44 - 88200);
    const QByteArray before = ReadAll(path);
    ASSERT_EQ(before.size(), 1'000'044);
    EXPECT_EQ(RepairWaveHeader(path), RepairResult::Written);
    const WaveFile w = WaveFile::Read(path);
    EXPECT_EQ(w.riffSize, 1'000'036u);
    EXPECT_EQ(w.dataSize, 1'000'000u);
    QByteArray after = ReadAll(path);
    after.replace(4, 4, QByteArray(4, '\0')).replace(40, 4, QByteArray(4, '\0'));
    EXPECT_EQ(after, before);

    // A header that already matches is written again with the same values.
    const QByteArray repaired = ReadAll(path);
    EXPECT_EQ(RepairWaveHeader(path), RepairResult::Written);
    EXPECT_EQ(ReadAll(path), repaired);
}

// After the repair sox reads the whole recording, the half block at the end included.
TEST(WaveHeaderRepair, RepairedFileReadsWhole)
{
    TestEnv env;
    const QString path = CutOffRecording(env, 44100);
    ASSERT_EQ(RepairWaveHeader(path), RepairResult::Written);
    QProcess sox;
    sox.start("sox", {"--i", "-s", path});
    ASSERT_TRUE(sox.waitForFinished(10000));
    EXPECT_EQ(sox.readAllStandardOutput().trimmed(), QByteArray::number((88200 + 44100) / 4));
}

// Files that are not the recorder's WAVE files, and files that cannot be opened for writing,
// are left untouched with their message.
TEST(WaveHeaderRepair, RefusesWhatItCannotRepairSafely)
{
    TestEnv env;
    const QString text = env.Path("notes.txt");
    QFile t(text);
    ASSERT_TRUE(t.open(QIODevice::WriteOnly));
    t.write(QByteArray(100, 'x'));
    t.close();
    EXPECT_EQ(RepairWaveHeader(text), RepairResult::NotRecorderWave);
    EXPECT_EQ(ReadAll(text), QByteArray(100, 'x'));

    const QString extended = CutOffRecording(env, 0);
    Overwrite(extended, 16, QByteArray("\x12\0\0\0", 4));  // an 18-byte format chunk: another layout
    const QByteArray before = ReadAll(extended);
    EXPECT_EQ(RepairWaveHeader(extended), RepairResult::NotRecorderWave);
    EXPECT_EQ(ReadAll(extended), before);

    // "Open in another application" is for a file that is there; a missing one is said to be missing.
    EXPECT_EQ(RepairWaveHeader(env.Path("notes.txt/under")), RepairResult::NotFound);
    EXPECT_EQ(RepairWaveHeader(env.Path("missing.wav")), RepairResult::NotFound);
    EXPECT_FALSE(QFile::exists(env.Path("missing.wav")));
    EXPECT_EQ(RepairMessage(RepairResult::NotFound), QStringLiteral("ファイルが見つかりません"));
    EXPECT_EQ(RepairMessage(RepairResult::CannotWrite),
              QStringLiteral("他のアプリケーションでファイルが開いているため書き込めません"));
}

// rivetta --yes repairs without asking and says so; a refusal exits with 1.
TEST(Rivetta, YesRepairsFromTheCommandLine)
{
    TestEnv env;
    const QString path = CutOffRecording(env, 100);
    QProcess rivetta;
    rivetta.start(TOLVANE_RIVETTA, {"--yes", path});
    ASSERT_TRUE(rivetta.waitForFinished(10000));
    EXPECT_EQ(rivetta.exitCode(), 0);
    EXPECT_EQ(QString::fromUtf8(rivetta.readAllStandardOutput()), path + QStringLiteral(": 書き込みました\n"));
    const WaveFile w = WaveFile::Read(path);
    EXPECT_TRUE(w.SizesMatch());
    EXPECT_EQ(w.dataSize, 88200u + 100);

    rivetta.start(TOLVANE_RIVETTA, {"--yes", env.Path("missing.wav")});
    ASSERT_TRUE(rivetta.waitForFinished(10000));
    EXPECT_EQ(rivetta.exitCode(), 1);
    EXPECT_EQ(QString::fromUtf8(rivetta.readAllStandardError()), env.Path("missing.wav") + QStringLiteral(": ファイルが見つかりません\n"));
}

// Help goes to standard output with status 0; an unknown option or a second file is refused
// with status 2 and nothing is touched.
TEST(Rivetta, CommandLineConventions)
{
    TestEnv env;
    const QString path = CutOffRecording(env, 100);
    const QByteArray before = ReadAll(path);
    struct Case {
        QStringList args;
        int code;
        const char *out;
        const char *err;
    };
    const Case cases[] = {
        {{"--help"}, 0, "Usage: rivetta [options] [FILE]", ""},
        {{"--version"}, 0, "rivetta 0.6.2", ""},
        {{"--bogus", path}, 2, "", "Unknown option 'bogus'"},
        {{"--yes"}, 2, "", "--yes needs a FILE"},
        {{"--yes", path, path}, 2, "", "one FILE"},
        {{path, path}, 2, "", "one FILE"},
    };
    for (const Case &c : cases) {
        QProcess rivetta;
        rivetta.start(TOLVANE_RIVETTA, c.args);
        ASSERT_TRUE(rivetta.waitForFinished(10000));
        const QString out = QString::fromUtf8(rivetta.readAllStandardOutput());
        const QString err = QString::fromUtf8(rivetta.readAllStandardError());
        EXPECT_EQ(rivetta.exitCode(), c.code) << c.args.join(' ').toStdString() << err.toStdString();
        EXPECT_TRUE(out.contains(c.out) && err.contains(c.err) && (*c.out != 0 || out.isEmpty()))
            << c.args.join(' ').toStdString() << "\nout: " << out.toStdString() << "\nerr: " << err.toStdString();
    }
    EXPECT_EQ(ReadAll(path), before);
}
