// The external program queue, with the real launcher starting real scripts.

#include "common/NumberedError.h"
#include "core/controller/ClsController.h"
#include "core/schedule/ColExecuteList.h"
#include "tests/support/TestServices.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QThread>

#include <gtest/gtest.h>

using namespace tolvane;
using namespace tolvane::test;

namespace {

// A script that writes its own marker file next to it.
QString Script(const TestEnv &env, const QString &name)
{
    const QString path = env.Path(name + ".sh");
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QStringLiteral("#!/bin/sh\necho started > '%1.marker'\n").arg(env.Path(name)).toUtf8());
    f.close();
    f.setPermissions(f.permissions() | QFileDevice::ExeOwner);
    return path;
}

bool MarkerAppears(const TestEnv &env, const QString &name)
{
    const QDeadlineTimer deadline(10000);
    while (!deadline.hasExpired()) {
        if (QFile::exists(env.Path(name + ".marker")))
            return true;
        QThread::msleep(20);
    }
    return false;
}

Seconds Tod(const QDateTime &t)
{
    return Seconds(t.time().msecsSinceStartOfDay() / 1000);
}

}  // namespace

// Items start in order A, B, C and leave the queue empty; a passed limit skips and removes.
TEST(ColExecuteList, StartsInOrderAndSkipsLateItems)
{
    TestEnv env(QDateTime(QDate(2024, 3, 4), QTime(7, 0, 0)));
    ColExecuteList list(env.services);
    QStringList paths;
    for (const char *n : {"a", "b", "c", "late", "unlimited"}) {
        QFile f(env.Path(n));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        paths << env.Path(n);
    }
    for (int i = 0; i < 3; ++i)
        list.Add(paths[i], "")->setLimitExecuteTime(Tod(env.clock->Now()) + Seconds(1));
    list.Add(paths[3], "")->setLimitExecuteTime(Tod(env.clock->Now()) - Seconds(1));
    auto unlimited = list.Add(paths[4], "u");
    unlimited->setLimitExecuteTime(Seconds(0));
    unlimited->setUnlimitExecute(true);
    EXPECT_EQ(list.Item(QStringLiteral("u")), unlimited);
    EXPECT_EQ(list.Item(0)->Path(), paths[0]);

    // A relative path is not looked for in the working folder, where "a" is.
    const WorkingFolder workIn(env.dir.path());
    EXPECT_THROW(list.Add("a", ""), NumberedError);

    list.Execute();
    EXPECT_EQ(env.shell->started, (std::vector<QString>{paths[0], paths[1], paths[2], paths[4]}));
    EXPECT_EQ(list.Count(), 0);
}

// A limit just after midnight is still ahead of a moment just before it.
TEST(ColExecuteList, LimitAcrossMidnight)
{
    TestEnv env(QDateTime(QDate(2024, 3, 4), QTime(23, 59, 40)));
    ColExecuteList list(env.services);
    QFile f(env.Path("p"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    list.Add(env.Path("p"), "")->setLimitExecuteTime(Seconds(20));  // 00:00:20
    list.Execute();
    EXPECT_EQ(env.shell->started.size(), 1u);
}

// A refused start is reported once and dropped: it neither holds up the items after it nor
// comes back on the next run.
TEST(ColExecuteList, RefusedStartIsReportedAndDropped)
{
    TestEnv env;
    ColExecuteList list(env.services);
    QStringList paths;
    for (const char *n : {"a", "b", "c"}) {
        QFile f(env.Path(n));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        paths << env.Path(n);
        list.Add(env.Path(n), "")->setUnlimitExecute(true);
    }
    env.shell->refusedPath = paths[1];
    const std::vector<NumberedError> refused = list.Execute();
    ASSERT_EQ(refused.size(), 1u);
    EXPECT_LE(refused[0].Number(), 32);
    EXPECT_EQ(refused[0].Description(), "External Execute Failed");
    EXPECT_EQ(env.shell->started, (std::vector<QString>{paths[0], paths[1], paths[2]}));
    EXPECT_EQ(list.Count(), 0);
    EXPECT_TRUE(list.Execute().empty());
    EXPECT_EQ(env.shell->started.size(), 3u);
    EXPECT_THROW(list.Add(env.Path("missing"), ""), NumberedError);
    EXPECT_EQ(list.Count(), 0);
}

// Real scripts before and after a recording leave their markers; a late one does not run.
TEST(ExternalPrograms, RealScriptsAroundARecording)
{
    TestEnv env(QDateTime(QDate(2024, 3, 4), QTime(6, 59, 0)));
    env.services->shell = std::make_shared<LinuxShellLauncher>();
    ClsController c(env.services);
    c.Setup();
    c.gSelectEndTimeChecker = EndTimeChecker::PCTime;
    auto s = c.CreateNewSchedule();
    s->setStartTime("07:00:00");
    s->setEndTime("07:00:05");
    for (int d = 0; d < 7; ++d)
        s->setStartDay(d, 1);
    s->setBeforeExecute(true);
    s->setBeforeExecuteSeconds(30);
    s->setBeforeExecutePath(Script(env, "before"));
    s->setAfterExecute(true);
    s->setAfterExecutePath(Script(env, "after"));
    c.AddSchedule2List(s);
    for (QDateTime t = env.clock->Now(); t <= QDateTime(QDate(2024, 3, 4), QTime(7, 0, 6)); t = t.addMSecs(100)) {
        env.clock->Set(t);
        env.timer->Fire();
        QCoreApplication::processEvents();
    }
    EXPECT_TRUE(MarkerAppears(env, "before"));
    EXPECT_TRUE(MarkerAppears(env, "after"));

    // Queued too late (its limit of start + 10 s has passed): dropped, never started.
    ColExecuteList list(env.services);
    list.Add(Script(env, "late"), "")->setLimitExecuteTime(Seconds(7 * 3600 + 5));
    list.Execute();
    EXPECT_EQ(list.Count(), 0);
    QThread::msleep(300);
    EXPECT_FALSE(QFile::exists(env.Path("late.marker")));
}
