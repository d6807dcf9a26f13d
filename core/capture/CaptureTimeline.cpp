#include "CaptureTimeline.h"

#include <algorithm>
#include <iterator>

namespace tolvane {

namespace {
constexpr qint64 kNsPerSecond = 1'000'000'000;
}

// Split at whole seconds, so that neither a day-long recording nor a long-running steady clock
// overflows the products.
qint64 CaptureTimeline::FramesToNs(qint64 frames, qint64 rate)
{
    if (frames < 0)
        return -FramesToNs(-frames, rate);
    return frames / rate * kNsPerSecond + frames % rate * kNsPerSecond / rate;
}

qint64 CaptureTimeline::NsToFrames(qint64 ns, qint64 rate)
{
    if (ns < 0)
        return -NsToFrames(-ns, rate);
    return ns / kNsPerSecond * rate + (ns % kNsPerSecond * rate + kNsPerSecond / 2) / kNsPerSecond;
}

qint64 CaptureTimeline::Observe(qint64 frames, qint64 ns)
{
    if (m_rate <= 0)
        return 0;
    const bool known = Known();
    m_reports.push_back({ns, ns - FramesToNs(frames, m_rate)});
    while (m_reports.front().ns < ns - m_tolerance.windowNs)
        m_reports.pop_front();

    qint64 missing = 0;
    if (known) {
        // Lost sound keeps every report since the loss above the line; a source that merely
        // delivers in bursts is above it only until the rest of its burst is in.
        auto high = m_reports.rbegin();
        qint64 lowest = high->origin;
        for (; high != m_reports.rend() && high->origin > m_origin + m_tolerance.gapNs; ++high)
            lowest = std::min(lowest, high->origin);
        const bool sinceLoss = high != m_reports.rend() && high != m_reports.rbegin();
        if (sinceLoss && std::prev(high)->ns <= ns - m_tolerance.recentNs) {
            const qint64 late = lowest - m_origin;
            if (late > m_tolerance.longestGapNs) {
                // A new beginning: what came before says nothing about it.
                m_reports.erase(m_reports.begin(), high.base());
            } else {
                missing = NsToFrames(late, m_rate);
                // The silence that stands in for the lost frames comes before the frames still to
                // read, which keeps them on the line.
                m_reports.push_back({ns, ns - FramesToNs(frames + missing, m_rate)});
            }
        }
    }
    m_origin = std::min_element(m_reports.begin(), m_reports.end(), [](const Report &a, const Report &b) {
                   return a.origin < b.origin;
               })->origin;
    return missing;
}

qint64 CaptureTimeline::FrameAt(qint64 ns) const
{
    if (m_rate <= 0)
        return 0;
    return NsToFrames(ns - m_origin, m_rate);
}

}  // namespace tolvane
