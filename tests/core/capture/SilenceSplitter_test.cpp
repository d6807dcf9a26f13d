#include "core/capture/SilenceSplitter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

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

namespace {

// The splitter's rules written out plainly, segment by segment, to check the fast one against.
class ReferenceSplitter {
public:
    ReferenceSplitter(int zero, int threshold, qint64 required, int frame)
        : m_zero(zero), m_threshold(threshold), m_required(required), m_frame(frame)
    {
    }

    SilenceSplitter<qint16>::Result Split(Block block, bool stop)
    {
        Block data = m_carried;
        m_carried.clear();
        data.insert(data.end(), block.begin(), block.end());
        if (data.empty())
            return {};
        const auto zeroFrame = [&](size_t at) {
            for (int c = 0; c < m_frame; ++c) {
                if (at + c >= data.size() || data[at + c] != m_zero)
                    return false;
            }
            return true;
        };
        const auto cut = [&](size_t at, bool split) {
            m_carried.assign(data.begin() + qsizetype(at), data.end());
            data.resize(at);
            return SilenceSplitter<qint16>::Result{data, true, split};
        };
        size_t silenceStart = 0;
        for (size_t start = 0; start < data.size();) {
            size_t end = start + size_t(m_frame);
            while (end < data.size() && !zeroFrame(end))
                end += size_t(m_frame);
            end = std::min(end, data.size());
            int peak = 0;
            for (size_t i = start; i < end; ++i)
                peak = std::max(peak, std::abs(data[i] - m_zero));
            const bool loud = peak > m_threshold;
            if (m_state == 0) {
                m_state = loud ? 1 : 2;
            } else if (m_state == 1 && !loud) {
                m_state = 2;
                silenceStart = start;
            } else if (m_state == 2 && loud) {
                m_state = 1;
            } else if (m_state == 2 && qint64(end - silenceStart) > m_required) {
                m_state = 3;
                return cut(silenceStart, true);
            } else if (m_state == 3 && loud) {
                m_state = 1;
                return cut(start, true);
            }
            start = end;
        }
        if (m_state == 2 && !stop)
            return cut(silenceStart, false);
        return {data, false, false};
    }

private:
    int m_zero, m_threshold;
    qint64 m_required;
    int m_frame;
    int m_state = 0;
    Block m_carried;
};

// Zero runs, quiet noise and loud stretches, 600 samples or a little more.
Block RandomRecording(std::mt19937 &random, int round, int frame)
{
    Block recording;
    while (recording.size() < 600) {
        const int kind = int(random() % 3);
        const size_t length = size_t(random() % (kind == 0 && round % 3 ? 4 : 60)) * size_t(frame);
        for (size_t i = 0; i < length; ++i)
            recording.push_back(kind == 0 ? 0 : qint16(int(random() % (kind == 1 ? 21 : 200)) - (kind == 1 ? 10 : 100)));
    }
    return recording;
}

}  // namespace

// On random recordings of zero runs, quiet noise and loud stretches, in random blocks, the
// splitter gives exactly what the plain rules give, call by call.
TEST(SilenceSplitter, AgreesWithThePlainRules)
{
    std::mt19937 random(20240304);
    for (int round = 0; round < 600; ++round) {
        const int frame = 1 + int(random() % 2);
        const int threshold = int(random() % 3) * 10;
        const qint64 required = qint64(random() % (round % 2 ? 40 : 6));
        SilenceSplitter<qint16> fast(0, threshold, required, frame);
        ReferenceSplitter plain(0, threshold, required, frame);
        const Block recording = RandomRecording(random, round, frame);
        size_t at = 0;
        for (int call = 0; at < recording.size() || call < 200; ++call) {
            const size_t length = std::min(recording.size() - at, size_t(random() % 50) * size_t(frame));
            const Block block(recording.begin() + qsizetype(at), recording.begin() + qsizetype(at + length));
            at += length;
            const bool stop = at >= recording.size();
            const auto a = fast.Split(block, stop);
            const auto b = plain.Split(block, stop);
            ASSERT_EQ(a.block, b.block) << "round " << round << " call " << call;
            ASSERT_EQ(a.morePending, b.morePending) << "round " << round << " call " << call;
            ASSERT_EQ(a.splitHere, b.splitHere) << "round " << round << " call " << call;
            if (stop && !a.morePending)
                break;
        }
    }
}

// The same in steps, as the recorder hands over a long block: each block fed in random pieces,
// what to write taken in random amounts (or looked at in place, then dropped), carried samples
// beyond 16 bytes kept in a file, blocks that end inside a stereo frame, and a stop that comes
// some blocks before the end.
TEST(SilenceSplitter, InStepsAgreesWithThePlainRules)
{
    std::mt19937 random(20240517);
    for (int round = 0; round < 600; ++round) {
        const int frame = 1 + int(random() % 2);
        const int threshold = int(random() % 3) * 10;
        const qint64 required = qint64(random() % (round % 2 ? 40 : 6));
        SilenceSplitter<qint16> steps(0, threshold, required, frame, 16);
        ReferenceSplitter plain(0, threshold, required, frame);
        const Block recording = RandomRecording(random, round, frame);
        const size_t stopFrom = random() % (recording.size() + 1);
        const size_t unit = round % 4 ? size_t(frame) : 1;
        Block scratch;
        size_t at = 0;
        for (int call = 0;; ++call) {
            const size_t length = std::min(recording.size() - at, size_t(random() % 50) * unit);
            const Block block(recording.begin() + qsizetype(at), recording.begin() + qsizetype(at + length));
            at += length;
            const bool stop = at >= stopFrom;
            for (size_t fed = 0; fed < block.size();) {
                const size_t piece = std::min(block.size() - fed, size_t(random() % 7));
                steps.Feed(block.data() + fed, qsizetype(piece));
                fed += piece;
            }
            const auto decision = steps.End(stop);
            Block written;
            while (steps.OutputLeft() > 0) {
                const qint64 max = 1 + qint64(random() % 9);
                if (random() % 2) {
                    const std::span<const qint16> piece = steps.FrontOutput(max, scratch);
                    written.insert(written.end(), piece.begin(), piece.end());
                    steps.DropOutput(qint64(piece.size()));
                } else {
                    const Block piece = steps.TakeOutput(max);
                    written.insert(written.end(), piece.begin(), piece.end());
                }
            }
            const auto expected = plain.Split(block, stop);
            ASSERT_EQ(written, expected.block) << "round " << round << " call " << call;
            ASSERT_EQ(decision.count, qint64(written.size()));
            ASSERT_EQ(decision.morePending, expected.morePending) << "round " << round << " call " << call;
            ASSERT_EQ(decision.splitHere, expected.splitHere) << "round " << round << " call " << call;
            if (at == recording.size() && !decision.morePending)
                break;
        }
    }
}
