#include "common/NumberedError.h"
#include "core/capture/ClsFilter.h"

#include <gtest/gtest.h>

using namespace tolvane;

namespace {

using Block = std::vector<qint16>;

// 1 % of full scale: a threshold of 328 for 16-bit data and 1 for 8-bit data.
ClsFilter OnePercent()
{
    ClsFilter f;
    f.setNoSoundVolume(1);
    return f;
}

Block Start(ClsFilter &f, Block b, qint32 align = 2, Bit bit = Bit::Hi16bit)
{
    return f.FStartNoSound(std::move(b), bit, align);
}

Block End(ClsFilter &f, Block b, qint32 align = 2, Bit bit = Bit::Hi16bit)
{
    return f.FEndNoSound(std::move(b), bit, align);
}

}  // namespace

// Leading silence is cut at the last zero sample before the first loud one.
TEST(ClsFilter, StartCutsAtLastZeroBeforeSound)
{
    ClsFilter f = OnePercent();
    EXPECT_EQ(Start(f, {0, 5, -300, 0, 0, 400, 20}), (Block{0, 400, 20}));
    // Once sound was found nothing is held: a next block that opens loud passes whole.
    EXPECT_EQ(Start(f, {700, 0, 9}), (Block{700, 0, 9}));
}

// A silent block gives the placeholder and holds back what follows its last zero; the sound
// in the next block comes out with that held-back silence in front.
TEST(ClsFilter, StartHoldsSilenceAfterLastZero)
{
    ClsFilter f = OnePercent();
    EXPECT_EQ(Start(f, {1, 0, 3, 2}), Block{0});
    EXPECT_EQ(Start(f, {1, 500, 7}), (Block{3, 2, 1, 500, 7}));

    // A silent block that ends on a zero holds nothing.
    ClsFilter g = OnePercent();
    EXPECT_EQ(Start(g, {3, 0}), Block{0});
    EXPECT_EQ(Start(g, {500, 1}), (Block{500, 1}));
}

// For stereo a zero frame needs both samples at zero, and every cut lies between frames.
TEST(ClsFilter, StereoCutsNeverSplitAFrame)
{
    ClsFilter f = OnePercent();
    EXPECT_EQ(Start(f, {5, 0, 0, 0, 3, 4, 0, 7, 9, 400, 1, 1}, 4), (Block{0, 0, 3, 4, 0, 7, 9, 400, 1, 1}));

    ClsFilter g = OnePercent();
    EXPECT_EQ(Start(g, {0, 0, 1, 2, 3, 0}, 4), Block{0});  // holds the frames (1,2) and (3,0)
    EXPECT_EQ(Start(g, {9, 900}, 4), (Block{1, 2, 3, 0, 9, 900}));

    ClsFilter h = OnePercent();
    EXPECT_EQ(End(h, {900, 900, 0, 5, 0, 0, 3, 3, 0, 0, 1, 1}, 4), (Block{900, 900, 0, 5, 0, 0}));
    EXPECT_EQ(End(h, {400, 0}, 4), (Block{3, 3, 0, 0, 1, 1, 400, 0}));
}

// Trailing silence: a loud end passes whole; a silent end is cut after its first zero frame and
// held; further silence is held too and never written unless sound follows.
TEST(ClsFilter, EndHoldsTrailingSilence)
{
    ClsFilter f = OnePercent();
    Block loudEnd(200, 1000);
    EXPECT_EQ(End(f, loudEnd), loudEnd);

    Block b(110, 1000);
    for (size_t i = 101; i < b.size(); ++i)
        b[i] = 3;
    b[103] = 0;
    b[106] = 0;
    const Block out = End(f, b);
    ASSERT_EQ(out.size(), 104u);
    EXPECT_EQ(out.back(), 0);
    EXPECT_EQ(End(f, Block(50, 2)), Block{0});
    // Sound after the silence: everything held comes out first, in order.
    Block next{5, 9000};
    Block expected(b.begin() + 104, b.end());
    expected.insert(expected.end(), 50, 2);
    expected.insert(expected.end(), {5, 9000});
    EXPECT_EQ(End(f, next), expected);
}

// A silent run without any zero frame is not cut: there is no click-free place for the cut.
TEST(ClsFilter, EndWithoutZeroFrameKeepsEverything)
{
    ClsFilter f = OnePercent();
    EXPECT_EQ(End(f, {1000, 3, 2, 1}), (Block{1000, 3, 2, 1}));
    EXPECT_EQ(End(f, {0, 2}), Block{0});  // all silent: held
    EXPECT_EQ(End(f, {1000}), Block{1000});  // one element passes untouched, held stays
    EXPECT_EQ(End(f, {1000, 1000}), (Block{0, 2, 1000, 1000}));
}

// In a long block the end of the sound is found wherever it lies, near the ends and across
// the stretches the scan takes at once: the cut follows the first zero frame behind the last
// loud sample, a later zero frame does not move it, and a block without one passes whole.
TEST(ClsFilter, EndFindsTheSoundAnywhereInALongBlock)
{
    for (const qint32 align : {2, 4}) {
        const size_t frame = size_t(align) / 2;
        for (size_t loud = 0; loud < 100; ++loud) {
            Block b(100, 3);
            b[loud] = -400;
            const size_t zero = (loud / frame + 2) * frame;
            for (const size_t z : {zero, zero + 7 * frame}) {
                for (size_t k = z; k < z + frame && k < b.size(); ++k)
                    b[k] = 0;
            }
            ClsFilter f = OnePercent();
            const Block out = End(f, b, align);
            const size_t expected = zero + frame <= b.size() ? zero + frame : b.size();
            ASSERT_EQ(out, Block(b.begin(), b.begin() + qsizetype(expected))) << "align " << align << " loud " << loud;
        }
    }
    // A block whose sound is only in a stereo frame left incomplete at its end is silence.
    ClsFilter f = OnePercent();
    Block odd(101, 3);
    odd[100] = 900;
    EXPECT_EQ(End(f, odd, 4), Block{0});
    // A negative level makes every frame loud, even a zero frame: the block passes whole.
    ClsFilter g;
    g.setNoSoundVolume(-1);
    EXPECT_EQ(End(g, Block(64, 0)), Block(64, 0));
}

// 8-bit data: zero level 128, threshold 1 at 1 %, placeholder 128.
TEST(ClsFilter, EightBitZeroLevelIs128)
{
    ClsFilter f = OnePercent();
    EXPECT_EQ(Start(f, {129, 128, 127, 128, 130, 140}, 1, Bit::lo8bit), (Block{128, 130, 140}));
    ClsFilter g = OnePercent();
    EXPECT_EQ(Start(g, {129, 127, 129}, 1, Bit::lo8bit), Block{128});
    EXPECT_EQ(End(g, {200, 128, 129}, 1, Bit::lo8bit), (Block{127, 129, 200, 128}));
}

// The threshold is compared strictly, and -32768 counts as loud without overflowing.
TEST(ClsFilter, ThresholdIsStrictAndFullScaleIsLoud)
{
    ClsFilter f = OnePercent();
    EXPECT_EQ(Start(f, {0, 328, -328, 0}), Block{0});
    ClsFilter g;
    g.setNoSoundVolume(99.99);
    EXPECT_EQ(Start(g, {0, 32767, -32768, 1}), (Block{0, 32767, -32768, 1}));
}

// A level that puts the threshold beyond 16 bits raises overflow and leaves the block untouched.
TEST(ClsFilter, AbsurdLevelRaisesOverflow)
{
    ClsFilter f;
    f.setNoSoundVolume(1000);
    Block b{1, 2, 3};
    try {
        f.FEndNoSound(std::move(b), Bit::Hi16bit, 2);
        FAIL() << "no error";
    } catch (const NumberedError &e) {
        EXPECT_EQ(e.Number(), ErrNo::Overflow);
    }
    EXPECT_EQ(b, (Block{1, 2, 3}));
    EXPECT_EQ(f.FStartNoSound(Block{7}, Bit::Hi16bit, 2), Block{7});  // one element never fails
}

// Silence longer than the filter keeps in memory waits in a file and is handed over whole and
// in order when sound follows, ahead of the block: the end filter's trailing silence, and the
// start filter's run without a zero frame, which loses its first frame with every block.
TEST(ClsFilter, LongHeldSilenceIsHandedOverWhole)
{
    ClsFilter end(64);  // 32 samples in memory
    end.setNoSoundVolume(1);
    SampleSpool<qint16> released;
    EXPECT_EQ(end.FEndNoSound({900, 0, 3}, Bit::Hi16bit, 2, released), (Block{900, 0}));
    Block expected{3};
    for (int i = 0; i < 50; ++i) {
        const Block quiet(20, qint16(i % 300));
        EXPECT_EQ(end.FEndNoSound(Block(quiet), Bit::Hi16bit, 2, released), Block{0});
        expected.insert(expected.end(), quiet.begin(), quiet.end());
    }
    EXPECT_TRUE(released.Empty());
    EXPECT_EQ(end.FEndNoSound({5, 700}, Bit::Hi16bit, 2, released), (Block{5, 700}));
    EXPECT_TRUE(released.Spilled());
    EXPECT_EQ(released.Take(released.Size()), expected);

    ClsFilter start(64);
    start.setNoSoundVolume(1);
    expected.clear();
    for (int i = 0; i < 50; ++i) {
        Block quiet(20);
        for (size_t k = 0; k < quiet.size(); ++k)
            quiet[k] = qint16(1 + (i * 20 + int(k)) % 300);
        EXPECT_EQ(start.FStartNoSound(Block(quiet), Bit::Hi16bit, 2, released), Block{0});
        expected.insert(expected.end(), quiet.begin(), quiet.end());
        expected.erase(expected.begin());
    }
    EXPECT_EQ(start.FStartNoSound({9, 800}, Bit::Hi16bit, 2, released), (Block{9, 800}));
    EXPECT_EQ(released.Take(released.Size()), expected);
}
