#include "common/NumberedError.h"
#include "core/capture/SampleSpool.h"
#include "tests/support/OpenFiles.h"
#include "tests/support/SmallDisk.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <deque>
#include <random>

#include <sys/statvfs.h>

using namespace tolvane;
using tolvane::test::DescriptorsInto;
using tolvane::test::SmallDisk;

namespace {

using Block = std::vector<qint16>;

Block Ramp(qsizetype n, qint16 from)
{
    Block b(static_cast<size_t>(n));
    for (qsizetype i = 0; i < n; ++i)
        b[size_t(i)] = qint16(from + i);
    return b;
}

qint64 UsedBytes(const QString &folder)
{
    struct statvfs s {};
    ::statvfs(QFile::encodeName(folder).constData(), &s);
    return qint64(s.f_blocks - s.f_bfree) * qint64(s.f_frsize);
}

}  // namespace

// Random appends, takes, drops and hand-overs keep the samples in order whether they are in
// memory or in the file, and memory never holds more than the limit. Samples looked at in
// place (Front, then DropFront) are the ones Take would give.
TEST(SampleSpool, KeepsOrderAcrossMemoryAndFile)
{
    std::mt19937 random(7);
    SampleSpool<qint16> spool(64);  // 32 samples in memory
    std::deque<qint16> model;
    qint16 next = 0;
    bool spilled = false;
    Block scratch;
    for (int step = 0; step < 3000; ++step) {
        const int what = int(random() % 5);
        if (what <= 1) {
            const Block b = Ramp(qsizetype(random() % (what == 0 ? 10 : 100)), next);
            next = qint16(next + qint16(b.size()));
            spool.Append(b);
            model.insert(model.end(), b.begin(), b.end());
        } else if (what == 2) {
            const qint64 count = qint64(random() % 60);
            Block got;
            if (random() % 2) {
                const std::span<const qint16> front = spool.Front(count, scratch);
                got.assign(front.begin(), front.end());
                spool.DropFront(qint64(front.size()));
            } else {
                got = spool.Take(count);
            }
            ASSERT_EQ(got.size(), size_t(std::min<qint64>(count, qint64(model.size())))) << step;
            ASSERT_EQ(got, Block(model.begin(), model.begin() + qsizetype(got.size()))) << step;
            model.erase(model.begin(), model.begin() + qsizetype(got.size()));
        } else if (what == 3) {
            const qint64 n = std::min<qint64>(qint64(random() % 20), qint64(model.size()));
            spool.DropFront(n);
            model.erase(model.begin(), model.begin() + n);
        } else {
            // Through a second spool, as held-back samples are handed on: costless when empty.
            SampleSpool<qint16> other(64);
            const Block b = Ramp(qsizetype(random() % 80), next);
            next = qint16(next + qint16(b.size()));
            other.Append(b);
            spool.Append(std::move(other));
            EXPECT_TRUE(other.Empty());
            model.insert(model.end(), b.begin(), b.end());
        }
        ASSERT_EQ(spool.Size(), qint64(model.size())) << step;
        ASSERT_LE(spool.MemoryBytes(), 64) << step;
        spilled = spilled || spool.Spilled();
    }
    EXPECT_TRUE(spilled);
    EXPECT_EQ(spool.Take(spool.Size()), Block(model.begin(), model.end()));
}

// The file has no name in the folder at any moment, and once its samples are taken (or
// cleared) its descriptor is closed and its space given back.
TEST(SampleSpool, LeavesNothingBehind)
{
    SmallDisk disk(8 << 20);
    ASSERT_TRUE(disk.Mounted());
    const qint64 usedBefore = UsedBytes(disk.Path());
    SampleSpool<qint16> spool(1024);
    spool.setFolder(disk.Path());
    for (int i = 0; i < 100; ++i)
        spool.Append(Ramp(10000, qint16(i)));
    spool.Append(Ramp(10, 0));  // the newest stay in memory
    ASSERT_TRUE(spool.Spilled());
    EXPECT_TRUE(QDir(disk.Path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).isEmpty());
    EXPECT_EQ(DescriptorsInto(disk.Path()), 1);
    EXPECT_GE(UsedBytes(disk.Path()) - usedBefore, 1'900'000);

    spool.Take(spool.Size() - 10);
    EXPECT_FALSE(spool.Spilled());
    EXPECT_EQ(spool.Take(10), Ramp(10, 0));
    EXPECT_EQ(DescriptorsInto(disk.Path()), 0);
    EXPECT_LT(UsedBytes(disk.Path()) - usedBefore, 64 << 10);

    spool.Append(Ramp(5000, 0));
    ASSERT_TRUE(spool.Spilled());
    spool.Clear();
    EXPECT_EQ(DescriptorsInto(disk.Path()), 0);
}

// A full disk or a missing folder refuses the samples with the file error, and the spool is as
// it was: nothing lost of what it held, nothing half kept.
TEST(SampleSpool, FailedSpillChangesNothing)
{
    SmallDisk disk(256 << 10);
    ASSERT_TRUE(disk.Mounted());
    SampleSpool<qint16> spool(1024);
    spool.setFolder(disk.Path());
    Block all;
    qint32 number = 0;
    for (int i = 0; i < 100 && number == 0; ++i) {
        const Block b = Ramp(7000, qint16(i * 7));
        try {
            spool.Append(b);
            all.insert(all.end(), b.begin(), b.end());
        } catch (const NumberedError &e) {
            number = e.Number();
        }
    }
    EXPECT_EQ(number, ErrNo::DiskFull);
    EXPECT_EQ(spool.Size(), qint64(all.size()));
    EXPECT_EQ(spool.Take(spool.Size()), all);

    SampleSpool<qint16> lost(16);
    lost.setFolder(disk.Path() + QStringLiteral("/gone"));
    lost.Append(Ramp(8, 1));
    try {
        lost.Append(Ramp(8, 9));
        FAIL() << "no error";
    } catch (const NumberedError &e) {
        EXPECT_EQ(e.Number(), ErrNo::PathNotFound);
    }
    EXPECT_EQ(lost.Take(100), Ramp(8, 1));
}
