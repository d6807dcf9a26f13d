#include "SilenceSplitter.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <type_traits>

namespace tolvane {

namespace {

// Where the first word equal to `word` (or, with `other`, the first word that differs from it)
// begins among the words that the samples [from, end) hold; end when there is none. Words are
// compared a chunk at a time without an early exit, which the compiler turns into vector
// instructions, and the chunk that holds one is walked.
template <bool other = false, typename Sample, typename Word>
qsizetype FindWord(const Sample *d, qsizetype from, qsizetype end, Word word)
{
    constexpr qsizetype kPerWord = qsizetype(sizeof(Word) / sizeof(Sample));
    constexpr qsizetype kChunk = 16 * kPerWord;
    const auto at = [d](qsizetype i) {
        Word w;
        std::memcpy(&w, d + i, sizeof w);
        return w;
    };
    qsizetype i = from;
    for (; i + kChunk <= end; i += kChunk) {
        bool found = false;
        for (qsizetype k = 0; k < kChunk; k += kPerWord)
            found |= (at(i + k) == word) != other;
        if (found)
            break;
    }
    for (; i + kPerWord <= end; i += kPerWord) {
        if ((at(i) == word) != other)
            return i;
    }
    return end;
}

// A stereo frame is compared as one word.
template <typename Sample>
using Pair = std::conditional_t<sizeof(Sample) == 1, quint16, quint32>;

template <typename Sample>
Pair<Sample> ZeroPair(int zero)
{
    const Sample zeros[2] = {Sample(zero), Sample(zero)};
    Pair<Sample> pair;
    std::memcpy(&pair, zeros, sizeof pair);
    return pair;
}

}  // namespace

template <typename Sample>
SilenceSplitter<Sample>::SilenceSplitter(int zeroLevel, qint64 threshold, qint64 requiredSamples, int channels,
                                         qint64 memoryBytes)
    : m_zero(zeroLevel),
      m_threshold(int(std::clamp<qint64>(threshold, 0, std::numeric_limits<int>::max()))),
      m_required(requiredSamples),
      m_frame(channels == 1 ? 1 : 2),
      m_data(memoryBytes)
{
}

template <typename Sample>
bool SilenceSplitter<Sample>::ZeroFrame(const Sample *f) const
{
    for (qsizetype c = 0; c < m_frame; ++c) {
        if (f[c] != m_zero)
            return false;
    }
    return true;
}

template <typename Sample>
bool SilenceSplitter<Sample>::LoudFrame(const Sample *f, qsizetype count) const
{
    for (qsizetype c = 0; c < count; ++c) {
        if (std::abs(int(f[c]) - m_zero) > m_threshold)
            return true;
    }
    return false;
}

template <typename Sample>
qsizetype SilenceSplitter<Sample>::NextZeroFrame(const Sample *d, qsizetype from, qsizetype end) const
{
    if (m_frame == 1)
        return FindWord(d, from, end, Sample(m_zero));
    return FindWord(d, from, end, ZeroPair<Sample>(m_zero));
}

template <typename Sample>
qsizetype SilenceSplitter<Sample>::LastZeroFrameOfRun(const Sample *d, qsizetype from, qsizetype end) const
{
    const qsizetype after = m_frame == 1 ? FindWord<true>(d, from, end, Sample(m_zero))
                                         : FindWord<true>(d, from, end, ZeroPair<Sample>(m_zero));
    return after - m_frame;
}

template <typename Sample>
void SilenceSplitter<Sample>::Segment(qint64 start, qint64 end, bool loud)
{
    switch (m_state) {
    case State::Start:
        // The first segment of the recording; a silence there starts at its beginning.
        m_state = loud ? State::Sound : State::Silence;
        m_silenceStart = start;
        break;
    case State::Sound:
        if (!loud) {
            m_state = State::Silence;
            m_silenceStart = start;
        }
        break;
    case State::Silence:
        if (loud) {
            m_state = State::Sound;
        } else if (end - m_silenceStart > m_required) {
            m_state = State::LongSilence;
            m_cuts.push_back(m_silenceStart);
        }
        break;
    case State::LongSilence:
        if (loud) {
            m_state = State::Sound;
            m_cuts.push_back(start);
        }
        break;
    }
}

template <typename Sample>
void SilenceSplitter<Sample>::ZeroSegments(qint64 start, qint64 count)
{
    qint64 first = 0;  // the first of them that the silence check sees
    if (m_state == State::Start || m_state == State::Sound) {
        m_state = State::Silence;
        m_silenceStart = start;
        first = 1;
    }
    if (m_state != State::Silence)
        return;
    // Segment k ends at start + (k + 1) * frame; the first whose end makes the silence longer
    // than required splits.
    const qint64 before = m_silenceStart + m_required - start;
    const qint64 k = before < 0 ? first : std::max(first, before / m_frame);
    if (k < count) {
        m_state = State::LongSilence;
        m_cuts.push_back(m_silenceStart);
    }
}

template <typename Sample>
void SilenceSplitter<Sample>::WalkFrame(const Sample *f, qint64 at)
{
    if (m_segmentBegun && ZeroFrame(f)) {
        Segment(m_segmentStart, at, m_segmentLoud);
        m_segmentStart = at;
        m_segmentLoud = false;  // a zero frame is never loud
        return;
    }
    m_segmentBegun = true;
    m_segmentLoud = m_segmentLoud || LoudFrame(f, m_frame);
}

template <typename Sample>
void SilenceSplitter<Sample>::Walk(const Sample *d, qsizetype n, qint64 at)
{
    qsizetype i = 0;
    if (!m_partialFrame.empty()) {
        const qsizetype missing = std::min(m_frame - qsizetype(m_partialFrame.size()), n);
        m_partialFrame.insert(m_partialFrame.end(), d, d + missing);
        i = missing;
        if (qsizetype(m_partialFrame.size()) < m_frame)
            return;
        WalkFrame(m_partialFrame.data(), at - qint64(m_partialFrame.size()) + missing);
        m_partialFrame.clear();
    }
    const qsizetype whole = i + (n - i) / m_frame * m_frame;
    while (i < whole) {
        if (m_segmentBegun && m_segmentLoud) {
            // Once a segment is loud only the next zero frame matters.
            i = NextZeroFrame(d, i, whole);
            if (i == whole)
                break;
        }
        if (m_segmentBegun && ZeroFrame(d + i)) {
            Segment(m_segmentStart, at + i, m_segmentLoud);
            // A run of zero frames is a run of one-frame quiet segments, taken at once; its last
            // frame begins the segment of what follows.
            const qsizetype last = LastZeroFrameOfRun(d, i, whole);
            if (last > i)
                ZeroSegments(at + i, (last - i) / m_frame);
            m_segmentStart = at + last;
            m_segmentLoud = false;
            i = last + m_frame;
            continue;
        }
        m_segmentBegun = true;
        m_segmentLoud = m_segmentLoud || LoudFrame(d + i, m_frame);
        i += m_frame;
    }
    m_partialFrame.assign(d + whole, d + n);
}

template <typename Sample>
void SilenceSplitter<Sample>::Feed(const Sample *samples, qsizetype count)
{
    if (count <= 0)
        return;
    m_data.Append(samples, count);
    if (m_silenceRestarts) {
        m_silenceStart = m_end;
        m_silenceRestarts = false;
    }
    Walk(samples, count, m_end);
    m_end += count;
}

template <typename Sample>
typename SilenceSplitter<Sample>::Decision SilenceSplitter<Sample>::Output(qint64 end, bool morePending, bool splitHere)
{
    m_outputEnd = end;
    return Decision{end - m_front, morePending, splitHere};
}

template <typename Sample>
typename SilenceSplitter<Sample>::Decision SilenceSplitter<Sample>::End(bool stopRequested)
{
    if (m_front == m_end)
        return {};
    if (m_cuts.empty()) {
        // The segment under way counts as ending here, with what of it has come.
        const bool partLoud = LoudFrame(m_partialFrame.data(), qsizetype(m_partialFrame.size()));
        Segment(m_segmentStart, m_end, m_segmentLoud || partLoud);
    }
    if (!m_cuts.empty()) {
        const qint64 cut = m_cuts.front();
        m_cuts.pop_front();
        return Output(cut, true, true);
    }
    if (m_state == State::Silence && !stopRequested)
        return Output(m_silenceStart, true, false);  // the silence may still grow long enough to split at
    // Nothing is carried over: the next block begins a segment of its own.
    m_silenceRestarts = m_state == State::Silence;
    m_segmentStart = m_end;
    m_segmentBegun = m_segmentLoud = false;
    m_partialFrame.clear();
    return Output(m_end, false, false);
}

template <typename Sample>
std::vector<Sample> SilenceSplitter<Sample>::TakeOutput(qint64 max)
{
    std::vector<Sample> out = m_data.Take(std::min(max, OutputLeft()));
    m_front += qint64(out.size());
    return out;
}

template <typename Sample>
std::span<const Sample> SilenceSplitter<Sample>::FrontOutput(qint64 max, std::vector<Sample> &scratch) const
{
    return m_data.Front(std::min(max, OutputLeft()), scratch);
}

template <typename Sample>
void SilenceSplitter<Sample>::DropOutput(qint64 count)
{
    count = std::clamp<qint64>(count, 0, OutputLeft());
    m_data.DropFront(count);
    m_front += count;
}

template <typename Sample>
typename SilenceSplitter<Sample>::Result SilenceSplitter<Sample>::Split(std::vector<Sample> block, bool stopRequested)
{
    Feed(block.data(), qsizetype(block.size()));
    const Decision decision = End(stopRequested);
    return Result{TakeOutput(decision.count), decision.morePending, decision.splitHere};
}

template <typename Sample>
void SilenceSplitter<Sample>::Clear()
{
    m_data.Clear();
    m_front = m_outputEnd = m_end;
    m_cuts.clear();
    m_segmentStart = m_end;
    m_segmentBegun = m_segmentLoud = false;
    m_partialFrame.clear();
}

template class SilenceSplitter<quint8>;
template class SilenceSplitter<qint16>;

}  // namespace tolvane
