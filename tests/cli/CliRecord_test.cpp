// `tolvane-cli record` on the private sound server: the length by the PC clock, and what a
// recorder killed mid-recording leaves behind; and from a stream on loopback.

#include "CliRunner.h"
#include "tests/support/PacedPipeSource.h"
#include "tests/support/PrivatePulse.h"
#include "tests/support/SmallDisk.h"
#include "tests/support/StreamServer.h"
#include "tests/support/TestServices.h"
#include "core/controller/ClsController.h"
#include "tests/support/WaveFile.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <csignal>

using namespace tolvane::test;

namespace {

std::unique_ptr<QProcess> StartRecorder(const QString &home, const QStringList &args)
{
    return StartProgram(QStringLiteral(TOLVANE_CLI), home, QStringList{"record"} + args);
}

QString OnlyWave(const QString &folder)
{
    const QStringList waves = QDir(folder).entryList({"*.WAV"}, QDir::Files);
    return waves.size() == 1 ? folder + "/" + waves.first() : QString();
}

}  // namespace

// A ten-second manual recording, ended by the PC clock, holds ten seconds within half a second.
// The source delivers sound at the pace of the clock, so the length measures the recorder alone.
TEST(CliRecord, LengthByThePcClock)
{
    PrivatePulse pulse;
    ASSERT_TRUE(pulse.Running()) << pulse.Error().toStdString();
    PacedPipeSource paced(pulse, "paced", [](qint64 frame, int) { return quint16((frame % 100) * 300); });
    ASSERT_TRUE(paced.Ready());
    QTemporaryDir home;
    auto p = StartRecorder(home.path(), {"--for", "00:00:10"});
    ASSERT_TRUE(p->waitForFinished(60000));
    const QString out = QString::fromUtf8(p->readAllStandardOutput());
    EXPECT_EQ(p->exitCode(), 0) << out.toStdString() << p->readAllStandardError().toStdString();
    const QString file = OnlyWave(home.path() + "/Music");  // a first run saves to the music folder
    ASSERT_FALSE(file.isEmpty()) << out.toStdString();
    EXPECT_TRUE(out.contains("finished " + file)) << out.toStdString();
    const WaveFile w = WaveFile::ReadHeader(file);
    ASSERT_TRUE(w.SizesMatch());
    EXPECT_NEAR(double(w.dataSize) / w.avgBytesPerSec, 10.0, 0.5);
}

// --url records the stream in place of the sound device (none is needed): the tone it carries,
// for the length asked. An address that is no stream's is refused before anything starts.
TEST(CliRecord, FromAStream)
{
    StreamServer server([](qint64 frame, int) { return quint16((frame % 100) * 300); });
    ASSERT_TRUE(server.Running()) << server.Error().toStdString();
    QTemporaryDir home;
    auto p = StartRecorder(home.path(), {"--for", "00:00:02", "--url", server.Url()});
    ASSERT_TRUE(p->waitForFinished(30000));
    const QString out = QString::fromUtf8(p->readAllStandardOutput());
    EXPECT_EQ(p->exitCode(), 0) << out.toStdString() << p->readAllStandardError().toStdString();
    const QString file = OnlyWave(home.path() + "/Music");
    ASSERT_FALSE(file.isEmpty()) << out.toStdString();
    const WaveFile w = WaveFile::Read(file);
    ASSERT_TRUE(w.SizesMatch());
    EXPECT_NEAR(double(w.dataSize) / w.avgBytesPerSec, 2.0, 0.5);
    const std::vector<qint16> s = w.Samples16();
    EXPECT_GT(std::count_if(s.begin(), s.end(), [](qint16 v) { return std::abs(v) > 1000; }), qint64(s.size() / 4));

    auto refused = StartRecorder(home.path(), {"--for", "00:00:02", "--url", "file:///etc/passwd"});
    ASSERT_TRUE(refused->waitForFinished(10000));
    EXPECT_EQ(refused->exitCode(), 2);
    EXPECT_TRUE(refused->readAllStandardError().contains("--url takes an http or https address"));
}

// Killed with SIGKILL after a few seconds, the recorder leaves a WAVE file that reads whole and
// whose header falls short of its length by at most one half-second block; the repair tool
// brings zeroed sizes back.
TEST(CliRecord, KilledRecorderLeavesAValidFile)
{
    PrivatePulse pulse;
    ASSERT_TRUE(pulse.Running()) << pulse.Error().toStdString();
    QTemporaryDir home;
    auto p = StartRecorder(home.path(), {});
    QByteArray out;
    ASSERT_TRUE(WaitForOutput(*p, "status ManualWave", out)) << out.toStdString();
    QThread::msleep(3500);
    Signal(*p, SIGKILL);
    p->waitForFinished(10000);

    const QString file = OnlyWave(home.path() + "/Music");  // a first run saves to the music folder
    ASSERT_FALSE(file.isEmpty());
    const WaveFile w = WaveFile::Read(file);
    ASSERT_TRUE(w.read);
    EXPECT_EQ(w.riffSize, w.dataSize + 36);
    EXPECT_GT(w.dataSize, 2u * 176400);
    EXPECT_LE(w.length - 44 - qint64(w.dataSize), 88200);  // at most the block being written
    QProcess sox;
    sox.start("sox", {file, "-n", "stat"});
    ASSERT_TRUE(sox.waitForFinished(30000));
    EXPECT_EQ(sox.exitCode(), 0) << sox.readAllStandardError().toStdString();

    // Zero both sizes, as a recorder that never wrote them would leave them, then repair.
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        f.seek(4);
        f.write(QByteArray(4, '\0'));
        f.seek(40);
        f.write(QByteArray(4, '\0'));
    }
    QProcess rivetta;
    rivetta.start(QStringLiteral(TOLVANE_RIVETTA), {"--yes", file});
    ASSERT_TRUE(rivetta.waitForFinished(30000));
    EXPECT_EQ(rivetta.exitCode(), 0) << rivetta.readAllStandardError().toStdString();
    EXPECT_TRUE(WaveFile::ReadHeader(file).SizesMatch());
}

// Recording onto a disk that fills up (a 2 MB tmpfs, about eleven seconds of CD sound): the WAVE
// file keeps every whole frame that fitted, its header agrees with it, and `record` says why
// and exits with a failure.
TEST(CliRecord, FullDiskKeepsWhatFittedAndFails)
{
    PrivatePulse pulse;
    ASSERT_TRUE(pulse.Running()) << pulse.Error().toStdString();
    PacedPipeSource paced(pulse, "paced", [](qint64 frame, int) { return quint16((frame % 100) * 300); });
    ASSERT_TRUE(paced.Ready());
    SmallDisk disk(2 << 20);
    ASSERT_TRUE(disk.Mounted());
    auto p = StartRecorder(disk.Path(), {"--for", "00:00:30"});
    ASSERT_TRUE(p->waitForFinished(60000));
    const QString out = QString::fromUtf8(p->readAllStandardOutput());
    const QString err = QString::fromUtf8(p->readAllStandardError());
    EXPECT_NE(p->exitCode(), 0) << out.toStdString();
    EXPECT_TRUE(err.contains("61")) << err.toStdString();

    const QString file = OnlyWave(disk.Path() + "/Music");  // a first run saves to the music folder
    ASSERT_FALSE(file.isEmpty()) << out.toStdString();
    const WaveFile w = WaveFile::ReadHeader(file);
    EXPECT_TRUE(w.SizesMatch());
    EXPECT_EQ(w.dataSize % 4, 0u);
    EXPECT_GT(w.dataSize, 10u * 176400);
    // The recording took everything it could: what is free now is the lock file's page, given
    // back when the recorder ended.
    EXPECT_LE(disk.FreeBytes(), 4096);
}

// A minute of `tolvane-cli run` with a recording whose after-program the system refuses (a
// script with Windows line ends) and a schedule whose capture device does not exist: each
// error is printed once, not on every tick of its window.
TEST(CliRun, EachErrorOnceInAMinute)
{
    PrivatePulse pulse;
    ASSERT_TRUE(pulse.Running()) << pulse.Error().toStdString();
    PacedPipeSource paced(pulse, "paced", [](qint64 frame, int) { return quint16((frame % 100) * 300); });
    ASSERT_TRUE(paced.Ready());
    TestEnv env;
    const QString after = env.Path("after.sh");
    {
        QFile script(after);
        ASSERT_TRUE(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\r\necho done\r\n");
        script.setPermissions(script.permissions() | QFile::ExeOwner);
    }
    const QTime now = QTime::currentTime();
    {
        tolvane::ClsController c(env.services);
        c.Setup();
        const auto add = [&](const QString &name, int in, int seconds) {
            auto s = c.CreateNewSchedule();
            s->setName(name);
            s->setFileName(name);
            s->setSavePath(env.dir.path());
            s->setStartTime(now.addSecs(in).toString("hh:mm:ss"));
            s->setEndTime(now.addSecs(in + seconds).toString("hh:mm:ss"));
            for (int d = 0; d < 7; ++d)
                s->setStartDay(d, 1);
            c.AddSchedule2List(s);
            return s;
        };
        auto refused = add("refused", 8, 3);
        refused->setAfterExecute(true);
        refused->setAfterExecutePath(after);
        auto missing = add("missing", 40, 5);
        missing->setUseSystemSourceDevice(false);
        missing->setDeviceID(99);
        c.SaveSetting();
    }
    auto p = StartProgram(QStringLiteral(TOLVANE_CLI), env.dir.path(), {"run"});
    QThread::sleep(60);
    Signal(*p, SIGTERM);
    ASSERT_TRUE(p->waitForFinished(20000));
    const QString err = QString::fromUtf8(p->readAllStandardError());
    const QString out = QString::fromUtf8(p->readAllStandardOutput());
    EXPECT_EQ(err.count("External Execute Failed"), 1) << err.toStdString();
    EXPECT_EQ(err.count("no capture device 99"), 1) << err.toStdString();
    EXPECT_FALSE(OnlyWave(env.dir.path()).isEmpty()) << out.toStdString();  // the first one recorded
}
