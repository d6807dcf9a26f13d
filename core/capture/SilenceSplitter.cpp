#include "SilenceSplitter.h"

#include <algorithm>
#include <cstdlib>

namespace tolvane {

template <typename Sample>
SilenceSplitter<Sample>::SilenceSplitter(int zeroLevel, qint64 threshold, qint64 requiredSamples, int channels)
    : m_zero(zeroLevel), m_threshold(threshold), m_required(requiredSamples), m_frame(channels == 1 ? 1 : 2)
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

    // Everything before `at` is returned now, the rest carried over.
    const auto cut = [&](qsizetype at, bool splitHere) {
        m_carried.assign(data.begin() + at, data.end());
        data.resize(size_t(at));
        return Result{std::move(data), true, splitHere};
    };

    const qsizetype n = qsizetype(data.size());
    const Sample *d = data.data();
    qsizetype silenceStart = 0;  // a silence carried over begins the data
    // Segments run from one zero frame to just before the next; the first starts at index 0.
    for (qsizetype start = 0; start < n;) {
        qsizetype end = start;
        int peak = 0;
        do {
            for (qsizetype c = 0; c < m_frame && end + c < n; ++c)
                peak = std::max(peak, std::abs(int(d[end + c]) - m_zero));
            end += m_frame;
        } while (end < n && !(end + m_frame <= n && ZeroFrame(d + end)));
        end = std::min(end, n);
        const bool loud = peak > m_threshold;

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
