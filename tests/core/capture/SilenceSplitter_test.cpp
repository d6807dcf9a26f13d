#include "core/capture/SilenceSplitter.h"

#include <gtest/gtest.h>

using namespace tolvane;

namespace {

using Block = std::vector<qint16>;
using Files = std::vector<Block>;

// Feeds the blocks as a recording would, then the stop's flush, and collects the files the
// results make (a split closes the current file when it holds anything).
Files Record(SilenceSplitter<qint16> &splitter, const std::vector<Block> &blocks)
{
    Files files(1);
    const auto take = [&](SilenceSplitter<qint16>::Result r) {
        files.back().insert(files.back().end(), r.block.begin(), r.block.end());
        if (r.splitHere && !files.back().empty())
            files.emplace_back();
        return r.morePending;
    };
    for (const Block &b : blocks)
        take(splitter.Split(b, false));
    while (take(splitter.Split({}, true))) {
    }
    return files;
}

}  // namespace

// Sound, a silence longer than required, sound: three files, each cut where the silence
// begins and where the sound resumes, nothing lost or doubled.
TEST(SilenceSplitter, LongSilenceMakesAFileOfItsOwn)
{
    SilenceSplitter<qint16> s(0, 10, 5, 1);
    const Block sound1{0, 50, 60, 0, 40}, silence(8, 0), sound2{0, 70, 80};
    EXPECT_EQ(Record(s, {sound1, silence, sound2}), (Files{sound1, silence, sound2}));

    // The silence may begin inside a block and run over several.
    SilenceSplitter<qint16> t(0, 10, 5, 1);
    EXPECT_EQ(Record(t, {{0, 50, 0, 0, 0}, {0, 0}, {0, 0, 0, 90}}),
              (Files{{0, 50}, {0, 0, 0, 0, 0, 0, 0}, {0, 90}}));
}

// A silence that is not long enough stays in the file, also when the recording ends in it.
TEST(SilenceSplitter, ShortSilenceIsKept)
{
    SilenceSplitter<qint16> s(0, 10, 6, 1);
    EXPECT_EQ(Record(s, {{0, 50}, {0, 0, 0}, {0, 0, 3}, {60}}), (Files{{0, 50, 0, 0, 0, 0, 0, 3, 60}}));
    SilenceSplitter<qint16> t(0, 10, 5, 1);
    EXPECT_EQ(Record(t, {{0, 50}, {0, 0, 0}}), (Files{{0, 50, 0, 0, 0}}));
}

// Quiet means no sample strays above the threshold; with threshold 0 ("-inf") only exact zero
// level is quiet.
TEST(SilenceSplitter, ThresholdDecidesWhatIsQuiet)
{
    SilenceSplitter<qint16> quiet(0, 10, 5, 1);
    EXPECT_EQ(Record(quiet, {{0, 50}, {0, 3, 0, -3, 0, 10, 0, 2}, {0, 90}}).size(), 3u);
    SilenceSplitter<qint16> minusInf(0, 0, 5, 1);
    EXPECT_EQ(Record(minusInf, {{0, 50}, {0, 1, 0, -1, 0, 1, 0, 1}, {0, 90}}).size(), 1u);
}

// Stereo: a zero frame needs both samples at zero, so no cut falls inside a frame. The zero
// frame just before the sound resumes opens the next file, so it starts without a click.
TEST(SilenceSplitter, StereoCutsBetweenFrames)
{
    SilenceSplitter<qint16> s(0, 10, 6, 2);
    const Files files = Record(s, {{0, 0, 50, 50, 9, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, {40, 40}});
    ASSERT_EQ(files.size(), 3u);
    EXPECT_EQ(files[0], (Block{0, 0, 50, 50, 9, 0}));
    EXPECT_EQ(files[1], Block(8, 0));
    EXPECT_EQ(files[2], (Block{0, 0, 40, 40}));
}

// 8-bit data is quiet around 128.
TEST(SilenceSplitter, EightBitZeroLevel)
{
    SilenceSplitter<quint8> s(128, 1, 3, 1);
    auto r = s.Split({128, 200, 128, 128, 129, 128, 128}, false);
    EXPECT_EQ(r.block, (std::vector<quint8>{128, 200}));
    EXPECT_TRUE(r.splitHere);
    r = s.Split({128, 10}, false);
    EXPECT_EQ(r.block, (std::vector<quint8>{128, 128, 129, 128, 128}));
    EXPECT_TRUE(r.splitHere);
    r = s.Split({}, true);
    EXPECT_EQ(r.block, (std::vector<quint8>{128, 10}));
    EXPECT_FALSE(r.morePending);
}
