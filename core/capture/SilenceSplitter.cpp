#include "SilenceSplitter.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <type_traits>

namespace tolvane {

namespace {

// Where the first word equal to `word` begins among the words that the samples [from, end)
// hold; end when there is none. Words are compared a chunk at a time without an early exit,
// which the compiler turns into vector instructions, and the chunk that holds one is walked.
template <typename Sample, typename Word>
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
            found |= at(i + k) == word;
        if (found)
            break;
    }
    for (; i + kPerWord <= end; i += kPerWord) {
        if (at(i) == word)
            return i;
    }
    return end;
}

}  // namespace

template <typename Sample>
SilenceSplitter<Sample>::SilenceSplitter(int zeroLevel, qint64 threshold, qint64 requiredSamples, int channels)
    : m_zero(zeroLevel),
      m_threshold(int(std::min<qint64>(threshold, std::numeric_limits<int>::max()))),
      m_required(requiredSamples),
      m_frame(channels == 1 ? 1 : 2)
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
qsizetype SilenceSplitter<Sample>::SegmentEnd(const Sample *d, qsizetype start, qsizetype n, bool &loud) const
{
    // The first frame belongs to the segment whatever it holds; once a sample is loud only the
    // next zero frame matters, so the peak is not measured any further.
    qsizetype i = start;
    loud = false;
    do {
        for (qsizetype c = 0; c < m_frame && i + c < n; ++c)
            loud = loud || std::abs(int(d[i + c]) - m_zero) > m_threshold;
        i += m_frame;
    } while (!loud && i + m_frame <= n && !ZeroFrame(d + i));
    if (m_frame == 1)
        return FindWord(d, i, n, Sample(m_zero));
    // A stereo frame is compared as one word.
    using Pair = std::conditional_t<sizeof(Sample) == 1, quint16, quint32>;
    const Sample zeros[2] = {Sample(m_zero), Sample(m_zero)};
    Pair zeroPair;
    std::memcpy(&zeroPair, zeros, sizeof zeroPair);
    const qsizetype whole = i + std::max<qsizetype>(n - i, 0) / 2 * 2;
    const qsizetype at = FindWord(d, i, whole, zeroPair);
    return at < whole ? at : n;  // a partial frame at the end goes with the last segment
}

template <typename Sample>
typename SilenceSplitter<Sample>::Result SilenceSplitter<Sample>::Split(std::vector<Sample> block, bool stopRequested)
{
    std::vector<Sample> data;
    if (m_carried.empty()) {
        data = std::move(block);
    } else {
        data = std::move(m_carried);
        m_carried.clear();
        data.insert(data.end(), block.begin(), block.end());
    }
    if (data.empty())
        return {};

    // Everything before `at` is returned now, the rest carried over. A silence that grows over
    // many blocks is carried whole each time, so then the data moves instead of being copied.
    const auto cut = [&](qsizetype at, bool splitHere) {
        if (at == 0) {
            m_carried = std::move(data);
            return Result{{}, true, splitHere};
        }
        m_carried.assign(data.begin() + at, data.end());
        data.resize(size_t(at));
        return Result{std::move(data), true, splitHere};
    };

    const qsizetype n = qsizetype(data.size());
    const Sample *d = data.data();
    qsizetype silenceStart = 0;  // a silence carried over begins the data
    // Segments run from one zero frame to just before the next; the first starts at index 0.
    for (qsizetype start = 0; start < n;) {
        // A run of zero frames is a run of one-frame quiet segments, taken here at once; its
        // last frame is left to the walk, as it begins the segment of what follows.
        if (m_threshold >= 0 && start + m_frame <= n && ZeroFrame(d + start)) {
            qsizetype last = start;
            while (last + 2 * m_frame <= n && ZeroFrame(d + last + m_frame))
                last += m_frame;
            if (last > start) {
                qsizetype firstChecked = start + m_frame;  // the end of the first segment checked
                if (m_state == State::Start || m_state == State::Sound) {
                    m_state = State::Silence;
                    silenceStart = start;
                    firstChecked += m_frame;
                }
                if (m_state == State::Silence) {
                    // The first segment end that makes the silence longer than required.
                    const qint64 splitting = silenceStart + m_required + 1;
                    qsizetype end = firstChecked;
                    if (end < splitting)
                        end = start + (splitting - start + m_frame - 1) / m_frame * m_frame;
                    if (end <= last) {
                        m_state = State::LongSilence;
                        return cut(silenceStart, true);
                    }
                }
                start = last;
                continue;
            }
        }

        bool loud = false;
        const qsizetype end = SegmentEnd(d, start, n, loud);

        switch (m_state) {
        case State::Start:
            m_state = loud ? State::Sound : State::Silence;
            break;
        case State::Sound:
            if (!loud) {
                m_state = State::Silence;
                silenceStart = start;
            }
            break;
        case State::Silence:
            if (loud) {
                m_state = State::Sound;
            } else if (end - silenceStart > m_required) {
                m_state = State::LongSilence;
                return cut(silenceStart, true);
            }
            break;
        case State::LongSilence:
            if (loud) {
                m_state = State::Sound;
                return cut(start, true);
            }
            break;
        }
        start = end;
    }

    if (m_state == State::Silence && !stopRequested)
        return cut(silenceStart, false);  // the silence may still grow long enough to split at
    return Result{std::move(data), false, false};
}

template class SilenceSplitter<quint8>;
template class SilenceSplitter<qint16>;

}  // namespace tolvane
