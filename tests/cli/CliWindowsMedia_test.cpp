// The headless recorder makes Windows Media recordings like any other, and one it is killed in
// the middle of still plays.

#include "CliRunner.h"
#include "core/controller/ClsController.h"
#include "tests/support/MediaFile.h"
#include "tests/support/TestServices.h"

#include <QDir>
#include <QProcess>
#include <QThread>
#include <QTime>

#include <gtest/gtest.h>

#include <csignal>

using tolvane::test::Appears;
using tolvane::test::MediaFile;
using tolvane::test::StartOnSource;

// A windowsmedia schedule due a few seconds from now starts on time in "tolvane-cli run" on
// generated sound; SIGKILL four seconds into the recording leaves a WMA file that reads as ASF
// with the seconds recorded before the kill, and decodes to the tone.
TEST(CliWindowsMedia, KilledRecordingStillPlays)
{
    tolvane::test::TestEnv env;
    const QString folder = env.Path("rec");
    ASSERT_TRUE(QDir().mkpath(folder));
    {
        tolvane::ClsController c(env.services);
        c.Setup();
        auto s = c.CreateNewSchedule();
        s->setName("radio");
        s->setFileName("radio");
        s->setSavePath(folder);
        const QTime start = QTime::currentTime().addSecs(6);
        s->setStartTime(start.toString("hh:mm:ss"));
        s->setEndTime(start.addSecs(60).toString("hh:mm:ss"));
        s->setRecordingFormat(tolvane::FormatType::windowsmedia);
        for (int d = 0; d < 7; ++d)
            s->setStartDay(d, 1);
        c.AddSchedule2List(s);
        c.SaveSetting();
    }

    const auto cli = StartOnSource(QStringLiteral(TOLVANE_CLI), env.dir.path(), {"run"}, "generated:tone=1000@-6");
    ASSERT_TRUE(cli->waitForStarted(10000));

    const QString path = folder + "/radio.wma";
    ASSERT_TRUE(Appears(path, 20000)) << cli->readAllStandardError().toStdString();
    QThread::msleep(4000);
    ::kill(static_cast<pid_t>(cli->processId()), SIGKILL);
    ASSERT_TRUE(cli->waitForFinished(10000));
    EXPECT_EQ(cli->exitStatus(), QProcess::CrashExit);
    EXPECT_TRUE(QString::fromUtf8(cli->readAllStandardOutput()).contains("status PresetWM"));

    const MediaFile m = MediaFile::Read(path);
    ASSERT_TRUE(m.probed) << m.errors.toStdString();
    EXPECT_TRUE(m.errors.isEmpty()) << m.errors.toStdString();
    EXPECT_EQ(m.formatName, "asf");
    EXPECT_EQ(m.codecName, "wmav2");
    // What the encoder and the packet being filled held at the kill is lost: well under a second.
    EXPECT_GT(m.duration, 2.5);
    EXPECT_LT(m.duration, 4.6);
    EXPECT_NEAR(m.DecodedSeconds(), m.duration, 0.1);
    EXPECT_NEAR(m.ToneFrequency(), 1000, 2);
}
