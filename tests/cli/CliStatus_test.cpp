// Runs the real tolvane-cli program in a fresh application folder.

#include "CliRunner.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using tolvane::test::CliResult;
using tolvane::test::RunCli;

// A first run shows Idle and no schedules, and leaves the folder as it found it.
TEST(CliStatus, FirstRunIsIdleWithNoSchedules)
{
    QTemporaryDir home;
    const CliResult r = RunCli(home.path(), {"status"});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains("Status: Idle\n")) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains("Schedules: 0\n"));
    EXPECT_TRUE(QDir(home.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
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
