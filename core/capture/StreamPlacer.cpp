#include "StreamPlacer.h"

#include <algorithm>

namespace tolvane {

StreamPlacer::StreamPlacer(qint64 rate, qint32 frameBytes, Sink sink)
    : m_rate(rate), m_frameBytes(frameBytes), m_sink(std::move(sink))
{
}

void StreamPlacer::Connected()
{
    m_connection.emplace(Connection{CaptureTimeline(m_rate, kTolerance), 0, false, 0, {}, -1, -1});
}

void StreamPlacer::Audio(const char *bytes, qint64 frames, qint64 ns)
{
    if (!m_connection || frames <= 0)
        return;
    Connection &c = *m_connection;
    if (c.lastNs >= 0)
        m_longestStepNs = std::max(m_longestStepNs, ns - c.lastNs);
    if (c.firstNs < 0)
        c.firstNs = ns;
    c.lastNs = ns;
    const qint64 missing = c.timeline.Observe(c.position + frames, ns);
    if (missing > 0)
        Put(c, nullptr, missing);
    Put(c, bytes, frames);
    if (c.placed)
        m_originNs = c.timeline.OriginNs() - CaptureTimeline::FramesToNs(c.base, m_rate);
}

void StreamPlacer::Disconnected(qint64)
{
    if (m_connection && !m_connection->placed && m_connection->firstNs >= 0)
        Place(*m_connection, m_startNs);
    m_connection.reset();
}

void StreamPlacer::Put(Connection &c, const char *bytes, qint64 frames)
{
    if (!c.placed) {
        c.held.push_back({frames, bytes ? std::vector<char>(bytes, bytes + frames * m_frameBytes) : std::vector<char>()});
        c.position += frames;
        return;
    }
    const qint64 target = c.base + c.position;
    c.position += frames;
    const qint64 written = m_sink.written();
    if (target < written) {
        // Time that silence has covered already, or the repetition of what was stored.
        const qint64 skip = std::min(frames, written - target);
        frames -= skip;
        if (bytes)
            bytes += skip * m_frameBytes;
    } else if (target > written) {
        m_sink.silence(target - written);
    }
    if (frames <= 0)
        return;
    if (bytes)
        m_sink.store(bytes, frames);
    else
        m_sink.silence(frames);
}

void StreamPlacer::Place(Connection &c, std::optional<qint64> startNs)
{
    const qint64 origin = c.timeline.OriginNs();
    if (!m_mapped) {
        // A recording that started before its stream arrived opens with silence up to it.
        const qint64 late = startNs && *startNs < origin ? CaptureTimeline::NsToFrames(origin - *startNs, m_rate) : 0;
        m_sink.silence(late);
        c.base = m_sink.written();
        m_mapped = true;
    } else {
        c.base = CaptureTimeline::NsToFrames(origin - m_originNs, m_rate);
    }
    m_originNs = origin - CaptureTimeline::FramesToNs(c.base, m_rate);
    c.placed = true;
    std::deque<Chunk> held = std::move(c.held);
    c.position = 0;
    for (const Chunk &chunk : held)
        Put(c, chunk.bytes.empty() ? nullptr : chunk.bytes.data(), chunk.frames);
}

qint64 StreamPlacer::LagNs() const { return std::clamp(2 * m_longestStepNs, kShortestLagNs, kLongestLagNs); }

void StreamPlacer::Tick(qint64 ns, std::optional<qint64> startNs)
{
    m_startNs = startNs;
    if (m_connection && !m_connection->placed && m_connection->firstNs >= 0
        && ns - m_connection->firstNs >= kSettleNs)
        Place(*m_connection, startNs);
    const qint64 lag = LagNs();
    if (!m_mapped) {
        // Nothing has come by the start: the recording runs on silence from its start on.
        if (!startNs || ns - *startNs < lag)
            return;
        m_mapped = true;
        m_originNs = *startNs - CaptureTimeline::FramesToNs(m_sink.written(), m_rate);
    }
    const qint64 due = CaptureTimeline::NsToFrames(ns - lag - m_originNs, m_rate);
    const qint64 written = m_sink.written();
    if (due > written)
        m_sink.silence(due - written);
}

std::optional<qint64> StreamPlacer::FrameLiveAt(qint64 ns) const
{
    if (!m_mapped)
        return std::nullopt;
    return CaptureTimeline::NsToFrames(ns - m_originNs, m_rate);
}

}  // namespace tolvane
