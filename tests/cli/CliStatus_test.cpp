// Runs the real tolvane-cli program in a fresh application folder.

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct Result {
    int code;
    QString out;
    QString err;
};

Result RunCli(const QString &home, const QStringList &args)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("TOLVANE_HOME", home);
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(TOLVANE_CLI), args);
    p.waitForFinished(30000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

}  // namespace

// A first run shows Idle and no schedules, and leaves the folder as it found it.
TEST(CliStatus, FirstRunIsIdleWithNoSchedules)
{
    QTemporaryDir home;
    const Result r = RunCli(home.path(), {"status"});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains("Status: Idle\n")) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains("Schedules: 0\n"));
    EXPECT_TRUE(QDir(home.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
}

// The version command prints the version; an unknown command fails with the usage.
TEST(CliStatus, VersionAndUsage)
{
    QTemporaryDir home;
    Result r = RunCli(home.path(), {"--version"});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, "tolvane-cli 0.6.2\n");
    r = RunCli(home.path(), {"frobnicate"});
    EXPECT_EQ(r.code, 2);
    EXPECT_TRUE(r.err.contains("unknown command"));
}
