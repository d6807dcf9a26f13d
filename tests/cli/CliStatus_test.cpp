// Runs the real tolvane-cli program in a fresh application folder.

#include "CliRunner.h"
#include "core/controller/ClsController.h"
#include "tests/support/TestServices.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using tolvane::test::CliResult;
using tolvane::test::RunCli;

// A first run shows Idle and no schedules, and the music folder as the default save folder;
// it leaves the folder as it found it (the music folder is made only when a recorder runs).
TEST(CliStatus, FirstRunIsIdleWithNoSchedules)
{
    QTemporaryDir home;
    const CliResult r = RunCli(home.path(), {"status"});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains("Status: Idle\n")) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains("Schedules: 0\n"));
    EXPECT_TRUE(r.out.contains("Default save folder: " + home.path() + "/Music\n")) << r.out.toStdString();
    EXPECT_TRUE(QDir(home.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
}

// Without TOLVANE_HOME the folder follows XDG_DATA_HOME, and ~/.local/share without it.
TEST(CliStatus, FolderFollowsXdgDataHome)
{
    QTemporaryDir home;
    for (const bool xdg : {true, false}) {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove("TOLVANE_HOME");
        env.insert("HOME", home.path());
        if (xdg)
            env.insert("XDG_DATA_HOME", home.path() + "/data");
        else
            env.remove("XDG_DATA_HOME");
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(TOLVANE_CLI), {"status"});
        ASSERT_TRUE(p.waitForFinished(30000));
        const QString out = QString::fromUtf8(p.readAllStandardOutput());
        EXPECT_TRUE(out.contains("Folder: " + home.path() + (xdg ? "/data/tolvane\n" : "/.local/share/tolvane\n")))
            << out.toStdString();
    }
}

// The version command prints the version; an unknown command fails with the usage.
TEST(CliStatus, VersionAndUsage)
{
    QTemporaryDir home;
    CliResult r = RunCli(home.path(), {"--version"});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, "tolvane-cli 0.6.2\n");
    r = RunCli(home.path(), {"frobnicate"});
    EXPECT_EQ(r.code, 2);
    EXPECT_TRUE(r.err.contains("unknown command"));
}

namespace {

// A schedule.xml with the schedules "Morning" and "Evening", as the recorder saves it.
QByteArray SaveTwoSchedules(tolvane::test::TestEnv &env)
{
    tolvane::ClsController c(env.services);
    c.Setup();
    for (const char *name : {"Morning", "Evening"}) {
        auto s = c.CreateNewSchedule();
        s->setName(name);
        s->setStartTime("07:00:00");
        s->setEndTime("08:00:00");
        s->setStartDay(1, 1);
        c.AddSchedule2List(s);
    }
    c.SaveSetting();
    QFile f(env.Path("schedule.xml"));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList Entries(const QString &folder)
{
    return QDir(folder).entryList(QDir::NoDotAndDotDot | QDir::AllEntries);
}

}  // namespace

// The saved schedules are listed; status reads only.
TEST(CliStatus, ListsTheSavedSchedulesAndWritesNothing)
{
    tolvane::test::TestEnv env;
    const QByteArray saved = SaveTwoSchedules(env);
    ASSERT_FALSE(saved.isEmpty());
    const QStringList before = Entries(env.dir.path());

    const CliResult r = RunCli(env.dir.path(), {"status"});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains("Schedules: 2\n")) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains("  ID0\tMorning\t-M-----\t07:00:00-08:00:00\tvalid\n")) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains("  ID1\tEvening\t")) << r.out.toStdString();
    EXPECT_EQ(Entries(env.dir.path()), before);
}

// A damaged file: the error is printed, the schedules read before the damage are listed, and
// nothing is written (no copy of the damaged file either).
TEST(CliStatus, DamagedFileShowsTheErrorAndWhatWasRead)
{
    tolvane::test::TestEnv env;
    QByteArray damaged = SaveTwoSchedules(env);
    const qsizetype valid = damaged.lastIndexOf("<Valid>");
    damaged.remove(valid, damaged.indexOf("</Valid>", valid) + 8 - valid);
    {
        QFile f(env.Path("schedule.xml"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(damaged);
    }
    const QStringList before = Entries(env.dir.path());

    const CliResult r = RunCli(env.dir.path(), {"status"});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains("tolvane-cli: error 13: ")) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("Valid")) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains("Status: Idle\n")) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains("Schedules: 1\n  ID0\tMorning\t")) << r.out.toStdString();
    EXPECT_EQ(Entries(env.dir.path()), before);
    QFile f(env.Path("schedule.xml"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), damaged);
}

// An unreadable old schedule.txt is reported but not set aside: status only reads.
TEST(CliStatus, DamagedOldFileIsLeftInPlace)
{
    QTemporaryDir home;
    {
        QFile f(home.path() + "/schedule.txt");
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("savedataver0.0.16\r\n");  // the header is cut short
    }
    const CliResult r = RunCli(home.path(), {"status"});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains("tolvane-cli: error")) << r.err.toStdString();
    EXPECT_EQ(Entries(home.path()), QStringList{"schedule.txt"});
}
