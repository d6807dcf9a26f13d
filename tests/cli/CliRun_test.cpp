// The headless recorder as a user runs it: one instance per folder, clean exit on SIGTERM,
// and the time-server diagnostic.

#include "CliRunner.h"
#include "tests/support/FakeTimeServer.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>

using namespace tolvane::test;



// A second recorder on the same folder refuses to start; SIGTERM ends the first with status 0.
TEST(CliRun, SingleInstanceAndCleanSigterm)
{
    QTemporaryDir home;
    auto first = StartProgram(QStringLiteral(TOLVANE_CLI), home.path(), {"run"});
    QByteArray seen;
    ASSERT_TRUE(WaitForOutput(*first, "runs the timetable", seen)) << seen.toStdString();
    EXPECT_TRUE(seen.contains("status Idle"));

    auto second = StartProgram(QStringLiteral(TOLVANE_CLI), home.path(), {"run"});
    ASSERT_TRUE(WaitFinished(*second));
    EXPECT_EQ(second->exitCode(), 3);
    EXPECT_TRUE(second->readAllStandardError().contains("already records in"));

    Signal(*first, SIGTERM);
    ASSERT_TRUE(WaitFinished(*first));
    EXPECT_EQ(first->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(first->exitCode(), 0);

    // The lock went with the process: a new recorder starts.
    auto third = StartProgram(QStringLiteral(TOLVANE_CLI), home.path(), {"run"});
    seen.clear();
    EXPECT_TRUE(WaitForOutput(*third, "runs the timetable", seen));
    Signal(*third, SIGINT);
    ASSERT_TRUE(WaitFinished(*third));
    EXPECT_EQ(third->exitCode(), 0);
}

// The diagnostic shows the server's time and the offset; a server that does not answer fails.
TEST(CliSntp, ShowsTheOffsetOrFails)
{
    QTemporaryDir home;
    FakeTimeServer server(FakeTimeServer::Reply::Valid);
    auto ok = StartProgram(QStringLiteral(TOLVANE_CLI), home.path(), {"sntp", QStringLiteral("127.0.0.1:%1").arg(server.Port())});
    ASSERT_TRUE(WaitFinished(*ok));
    const QString out = QString::fromUtf8(ok->readAllStandardOutput());
    EXPECT_EQ(ok->exitCode(), 0) << ok->readAllStandardError().toStdString();
    EXPECT_TRUE(out.contains("server time: 2024-01-01")) << out.toStdString();
    EXPECT_TRUE(out.contains("local clock is ahead"));

    FakeTimeServer silent(FakeTimeServer::Reply::Silent);
    auto bad = StartProgram(QStringLiteral(TOLVANE_CLI), home.path(), {"sntp", QStringLiteral("127.0.0.1:%1").arg(silent.Port())});
    ASSERT_TRUE(WaitFinished(*bad));
    EXPECT_EQ(bad->exitCode(), 1);
    EXPECT_TRUE(QString::fromUtf8(bad->readAllStandardError()).contains("サーバからの受信失敗"));
}

// --set runs the clock step; in a dry run it only says what it would set.
TEST(CliSntp, SetInDryRunDoesNotTouchTheClock)
{
    QTemporaryDir home;
    FakeTimeServer server(FakeTimeServer::Reply::Valid);
    auto p = StartProgram(QStringLiteral(TOLVANE_CLI), home.path(), {"sntp", QStringLiteral("127.0.0.1:%1").arg(server.Port()), "--set"});
    ASSERT_TRUE(WaitFinished(*p));
    EXPECT_EQ(p->exitCode(), 0);
    EXPECT_TRUE(p->readAllStandardError().contains("dry run: would set the clock to 2024-01-01"));
}
