// A second window program on the same folder ends at once with status 0 and touches nothing.

#include "common/InstanceLock.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(SecondInstance, EndsSilentlyAndChangesNothing)
{
    QTemporaryDir home;
    tolvane::InstanceLock running(home.path());
    ASSERT_TRUE(running.TryAcquire());
    const QStringList before = QDir(home.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);

    QProcess second;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("TOLVANE_HOME", home.path());
    env.insert("QT_QPA_PLATFORM", "offscreen");
    second.setProcessEnvironment(env);
    second.start(QStringLiteral(TOLVANE_WINDOW), {});
    ASSERT_TRUE(second.waitForFinished(30000)) << "the second program kept running";
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(second.readAllStandardOutput(), QByteArray());
    EXPECT_EQ(QDir(home.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), before);
}

}  // namespace
