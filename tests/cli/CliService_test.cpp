// The headless recorder as a service: a clean stop on SIGTERM in the middle of a recording,
// schedule.xml read again on SIGHUP, the window refusing to run beside it, and the user unit.

#include "CliRunner.h"
#include "core/controller/ClsController.h"
#include "tests/support/TestServices.h"
#include "tests/support/WaveFile.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>

#include <gtest/gtest.h>

#include <csignal>

using namespace tolvane;
using namespace tolvane::test;

namespace {

// The recorder on a generated tone, so that no sound server is needed.
std::unique_ptr<QProcess> Start(const QString &program, const QString &home, const QStringList &args,
                                QProcessEnvironment env = QProcessEnvironment::systemEnvironment())
{
    return StartOnSource(program, home, args, "generated:tone=440@-6;pace=realtime", env);
}

// A schedule.xml with one schedule starting in a few seconds of real time.
void SaveScheduleSoon(TestEnv &env, const QString &afterScript)
{
    ClsController c(env.services);
    c.Setup();
    const QDateTime start = QDateTime::currentDateTime().addSecs(3);
    auto s = c.CreateNewSchedule();
    s->setName("Soon");
    s->setStartTime(start.toString("hh:mm:ss"));
    s->setEndTime(start.addSecs(120).toString("hh:mm:ss"));
    for (int d = 0; d < 7; ++d)
        s->setStartDay(d, 1);
    s->setAfterExecute(true);
    s->setAfterExecutePath(afterScript);
    s->setHibernate(true);
    s->setExitWindows(true);
    c.AddSchedule2List(s);
    c.SaveSetting();
}

QString Script(const TestEnv &env, const QString &name)
{
    const QString path = env.Path(name + ".sh");
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(QStringLiteral("#!/bin/sh\necho ran > '%1.marker'\n").arg(env.Path(name)).toUtf8());
    f.close();
    f.setPermissions(f.permissions() | QFileDevice::ExeOwner);
    return path;
}

}  // namespace

// SIGTERM in the middle of a recording: the file is complete and valid, the after-program runs,
// and neither hibernation nor power-off is even attempted; the exit status is 0.
TEST(CliService, SigtermStopsTheRecordingCleanly)
{
    TestEnv env;
    SaveScheduleSoon(env, Script(env, "after"));
    auto run = Start(QStringLiteral(TOLVANE_CLI), env.dir.path(), {"run"});
    QByteArray out;
    ASSERT_TRUE(WaitForOutput(*run, "status PresetWave", out)) << out.toStdString();
    QThread::msleep(2000);
    Signal(*run, SIGTERM);
    ASSERT_TRUE(run->waitForFinished(30000));
    out += run->readAllStandardOutput();
    const QByteArray err = run->readAllStandardError();
    EXPECT_EQ(run->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(run->exitCode(), 0) << err.toStdString();
    EXPECT_FALSE(err.contains("would hibernate")) << err.toStdString();
    EXPECT_FALSE(err.contains("would power off")) << err.toStdString();

    const QStringList waves = QDir(env.dir.path()).entryList({"*.WAV"});
    ASSERT_EQ(waves.size(), 1) << out.toStdString();
    EXPECT_TRUE(out.contains("finished " + env.Path(waves[0]).toUtf8())) << out.toStdString();
    const WaveFile w = WaveFile::ReadHeader(env.Path(waves[0]));
    EXPECT_TRUE(w.SizesMatch());
    EXPECT_GE(w.dataSize, 176400u);  // about two seconds were recorded
    EXPECT_TRUE(Appears(env.Path("after.marker")));
}

// SIGHUP reads schedule.xml again: a schedule saved meanwhile is there.
TEST(CliService, SighupReadsTheScheduleFileAgain)
{
    TestEnv env;
    auto run = Start(QStringLiteral(TOLVANE_CLI), env.dir.path(), {"run"});
    QByteArray out;
    ASSERT_TRUE(WaitForOutput(*run, "(0 schedules)", out)) << out.toStdString();
    {
        ClsController c(env.services);
        c.Setup();
        auto s = c.CreateNewSchedule();
        s->setName("Added");
        c.AddSchedule2List(s);
        c.SaveSetting();
    }
    Signal(*run, SIGHUP);
    EXPECT_TRUE(WaitForOutput(*run, "schedule.xml read again: 1 schedules", out)) << out.toStdString();
    Signal(*run, SIGTERM);
    ASSERT_TRUE(run->waitForFinished(30000));
    EXPECT_EQ(run->exitCode(), 0);
}

// The window started while the recorder runs says why it does not start, in the language of
// its locale, and records nothing.
TEST(CliService, WindowRefusesBesideTheRecorder)
{
    TestEnv env;
    auto run = Start(QStringLiteral(TOLVANE_CLI), env.dir.path(), {"run"});
    QByteArray out;
    ASSERT_TRUE(WaitForOutput(*run, "runs the timetable", out)) << out.toStdString();

    for (const auto &[lang, said] :
         {std::pair{"ja_JP.UTF-8", "録音サービス"}, std::pair{"en_US.UTF-8", "recording service"}}) {
        QProcessEnvironment windowEnv = QProcessEnvironment::systemEnvironment();
        windowEnv.insert("QT_QPA_PLATFORM", "offscreen");
        for (const char *other : {"TOLVANE_LANGUAGE", "LANGUAGE", "LC_ALL", "LC_MESSAGES"})
            windowEnv.remove(QLatin1String(other));
        windowEnv.insert("LANG", QLatin1String(lang));
        auto window = Start(QStringLiteral(TOLVANE_WINDOW), env.dir.path(), {}, windowEnv);
        QByteArray err;
        EXPECT_TRUE(WaitForOutput(*window, QByteArray(said), err, true)) << lang << ": " << err.toStdString();
        window->kill();  // it waits on its message box
        window->waitForFinished(10000);
    }

    Signal(*run, SIGTERM);
    ASSERT_TRUE(run->waitForFinished(30000));
    EXPECT_TRUE(QDir(env.dir.path()).entryList({"*.WAV"}).isEmpty());
}

// `service install` writes the user unit for this program and enables it; `uninstall` undoes it.
// A folder name that systemd would read as specifiers or escapes reaches the service unchanged.
TEST(CliService, InstallAndUninstallTheUserUnit)
{
    TestEnv env;
    const QString home = env.Path("radio %h \"50\\50\"");
    ASSERT_TRUE(QDir().mkpath(home));
    const QString fakeBin = env.Path("bin");
    QDir().mkpath(fakeBin);
    {
        QFile systemctl(fakeBin + "/systemctl");
        ASSERT_TRUE(systemctl.open(QIODevice::WriteOnly));
        systemctl.write(QStringLiteral("#!/bin/sh\necho \"$@\" >> '%1/systemctl.calls'\n").arg(env.dir.path()).toUtf8());
        systemctl.close();
        systemctl.setPermissions(systemctl.permissions() | QFileDevice::ExeOwner);
    }
    QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
    e.insert("PATH", fakeBin + ":" + e.value("PATH"));
    e.insert("XDG_CONFIG_HOME", env.Path("config"));

    auto install = Start(QStringLiteral(TOLVANE_CLI), home, {"service", "install"}, e);
    ASSERT_TRUE(install->waitForFinished(30000));
    EXPECT_EQ(install->exitCode(), 0) << install->readAllStandardError().toStdString();
    const QString unitPath = env.Path("config/systemd/user/tolvane.service");
    QFile unit(unitPath);
    ASSERT_TRUE(unit.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(unit.readAll());
    EXPECT_TRUE(text.contains("ExecStart=\"" + QFileInfo(QStringLiteral(TOLVANE_CLI)).absolutePath() + "/tolvane-cli\" run\n"))
        << text.toStdString();
    EXPECT_TRUE(text.contains("Environment=\"TOLVANE_HOME=" + env.dir.path() + "/radio %%h \\\"50\\\\50\\\"\"\n"))
        << text.toStdString();
    EXPECT_TRUE(text.contains("ExecReload=/bin/kill -HUP $MAINPID"));
    EXPECT_TRUE(text.contains("RestartPreventExitStatus=3\n"));
    if (!QStandardPaths::findExecutable("systemd-analyze").isEmpty()) {
        QProcess verify;
        verify.start("systemd-analyze", {"verify", "--man=no", unitPath});
        ASSERT_TRUE(verify.waitForFinished(30000));
        EXPECT_EQ(verify.exitCode(), 0) << verify.readAllStandardError().toStdString();
    }

    auto uninstall = Start(QStringLiteral(TOLVANE_CLI), home, {"service", "uninstall"}, e);
    ASSERT_TRUE(uninstall->waitForFinished(30000));
    EXPECT_EQ(uninstall->exitCode(), 0);
    EXPECT_FALSE(QFile::exists(unitPath));
    QFile calls(env.Path("systemctl.calls"));
    ASSERT_TRUE(calls.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(calls.readAll()), "--user daemon-reload\n--user enable --now tolvane.service\n"
                                                  "--user disable --now tolvane.service\n--user daemon-reload\n");
}
