// The priority choice as nice values, set on every thread of the process.

#include "frontend/FrmSetPriority.h"

#include <QDir>

#include <gtest/gtest.h>

#include <map>

using namespace tolvane;

namespace {

TEST(FrmSetPriority, EveryThreadGetsTheNiceValueOfTheIndex)
{
    EXPECT_EQ(FrmSetPriority::NiceOf(0), 19);
    EXPECT_EQ(FrmSetPriority::NiceOf(1), 10);
    EXPECT_EQ(FrmSetPriority::NiceOf(2), 0);
    EXPECT_EQ(FrmSetPriority::NiceOf(3), -5);
    EXPECT_EQ(FrmSetPriority::NiceOf(4), -10);

    std::map<qint64, int> set;
    const FrmSetPriority priority([&](qint64 thread, int nice) {
        set[thread] = nice;
        return true;
    });
    EXPECT_TRUE(priority.Apply(3));
    const QStringList threads = QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    EXPECT_EQ(set.size(), static_cast<size_t>(threads.size()));
    for (const QString &t : threads)
        EXPECT_EQ(set[t.toLongLong()], -5) << t.toStdString();
}

// One refused thread makes the whole change a failure (which the window logs).
TEST(FrmSetPriority, RefusalIsReported)
{
    int calls = 0;
    const FrmSetPriority priority([&](qint64, int) { return ++calls != 1; });
    EXPECT_FALSE(priority.Apply(4));
    EXPECT_GE(calls, 1);

    // The real call for "normal" on this process.
    EXPECT_TRUE(FrmSetPriority().Apply(2));
}

}  // namespace
