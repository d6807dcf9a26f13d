#include "CaptureRing.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace tolvane {

void CaptureRing::Reset(qint64 capacityFrames, qint32 frameBytes, char silence)
{
    std::lock_guard lock(m_mutex);
    m_frameBytes = std::max<qint32>(frameBytes, 1);
    m_silence = silence;
    m_capacity = std::max<qint64>(capacityFrames, 0);
    m_buffer.assign(size_t(m_capacity * m_frameBytes), silence);
    m_start = m_used = m_written = m_dropped = 0;
    m_begun = false;
}

// Copies frames (silence when bytes is null) behind the held ones; the caller has made room.
void CaptureRing::Put(const char *bytes, qint64 frames)
{
    qint64 end = (m_start + m_used) % m_capacity;
    m_used += frames;
    while (frames > 0) {
        const qint64 run = std::min(frames, m_capacity - end);
        char *to = m_buffer.data() + end * m_frameBytes;
        const size_t size = size_t(run * m_frameBytes);
        if (bytes) {
            std::memcpy(to, bytes, size);
            bytes += size;
        } else {
            std::memset(to, m_silence, size);
        }
        frames -= run;
        end = 0;
    }
}

namespace {

// Shared by Write and WriteSilence: keeps the newest frames before the recording begins, the
// oldest after it.
template <typename PutFn>
void Append(qint64 frames, bool begun, qint64 capacity, qint64 &start, qint64 &used, qint64 &dropped, PutFn put)
{
    if (frames <= 0 || capacity == 0) {
        if (begun)
            dropped += std::max<qint64>(frames, 0);
        return;
    }
    if (!begun) {
        const qint64 skip = std::max<qint64>(frames - capacity, 0);  // older than the whole history
        frames -= skip;
        const qint64 excess = used + frames - capacity;
        if (excess > 0) {
            start = (start + excess) % capacity;
            used -= excess;
        }
        put(skip, frames);
        return;
    }
    const qint64 fits = std::min(frames, capacity - used);
    put(0, fits);
    dropped += frames - fits;
}

}  // namespace

void CaptureRing::Write(const char *bytes, qint64 frames)
{
    std::lock_guard lock(m_mutex);
    Append(frames, m_begun, m_capacity, m_start, m_used, m_dropped,
           [&](qint64 skip, qint64 n) { Put(bytes + skip * m_frameBytes, n); });
    m_written += std::max<qint64>(frames, 0);
}

void CaptureRing::WriteSilence(qint64 frames)
{
    std::lock_guard lock(m_mutex);
    Append(frames, m_begun, m_capacity, m_start, m_used, m_dropped, [&](qint64, qint64 n) { Put(nullptr, n); });
    m_written += std::max<qint64>(frames, 0);
}

qint64 CaptureRing::FramesWritten() const
{
    std::lock_guard lock(m_mutex);
    return m_written;
}

qint64 CaptureRing::Begin(qint64 first)
{
    std::lock_guard lock(m_mutex);
    const qint64 oldest = m_written - m_used;
    first = std::clamp(first, oldest, m_written);
    const qint64 discard = first - oldest;
    if (m_capacity > 0)
        m_start = (m_start + discard) % m_capacity;
    m_used -= discard;
    m_dropped = 0;
    m_begun = true;
    return first;
}

bool CaptureRing::Begun() const
{
    std::lock_guard lock(m_mutex);
    return m_begun;
}

qint64 CaptureRing::ReadAll(std::vector<char> &out)
{
    std::lock_guard lock(m_mutex);
    if (!m_begun)
        return 0;
    if (m_used > 0) {
        const qint64 first = std::min(m_used, m_capacity - m_start);
        const char *from = m_buffer.data() + m_start * m_frameBytes;
        out.insert(out.end(), from, from + first * m_frameBytes);
        if (m_used > first)
            out.insert(out.end(), m_buffer.data(), m_buffer.data() + (m_used - first) * m_frameBytes);
        m_start = (m_start + m_used) % m_capacity;
        m_used = 0;
    }
    const qint64 dropped = std::exchange(m_dropped, 0);
    out.insert(out.end(), size_t(dropped * m_frameBytes), m_silence);
    return dropped;
}

}  // namespace tolvane
