#include "CaptureRing.h"

#include <algorithm>
#include <cstring>

namespace tolvane {

size_t CaptureRing::Write(const char *bytes, size_t count)
{
    std::lock_guard lock(m_mutex);
    const size_t capacity = m_buffer.size();
    const size_t fits = std::min(count, capacity - m_used);
    if (fits == 0)
        return count;
    const size_t end = (m_start + m_used) % capacity;
    const size_t first = std::min(fits, capacity - end);
    std::memcpy(m_buffer.data() + end, bytes, first);
    if (fits > first)
        std::memcpy(m_buffer.data(), bytes + first, fits - first);
    m_used += fits;
    return count - fits;
}

void CaptureRing::ReadAll(std::vector<char> &out)
{
    std::lock_guard lock(m_mutex);
    if (m_used == 0)
        return;
    const size_t first = std::min(m_used, m_buffer.size() - m_start);
    out.insert(out.end(), m_buffer.data() + m_start, m_buffer.data() + m_start + first);
    if (m_used > first)
        out.insert(out.end(), m_buffer.data(), m_buffer.data() + (m_used - first));
    m_start = (m_start + m_used) % m_buffer.size();
    m_used = 0;
}

void CaptureRing::Reset(size_t capacityBytes)
{
    std::lock_guard lock(m_mutex);
    m_buffer.assign(capacityBytes, 0);
    m_start = 0;
    m_used = 0;
}

}  // namespace tolvane
