#pragma once
// The ring between the capture thread, which writes what the sound card delivers, and the
// main thread, which reads everything written since its last read. When the main thread falls
// behind by the ring's whole length, what does not fit is dropped and counted.

#include <QtGlobal>

#include <mutex>
#include <vector>

namespace tolvane {

class CaptureRing {
public:
    // The producer's side: copies what fits and returns the number of bytes dropped.
    size_t Write(const char *bytes, size_t count);
    // The consumer's side: appends everything written since the last read to `out`.
    void ReadAll(std::vector<char> &out);

    // Empties the ring and gives it room for capacityBytes (only while no thread writes).
    void Reset(size_t capacityBytes);

private:
    mutable std::mutex m_mutex;
    std::vector<char> m_buffer;
    size_t m_start = 0;  // where the unread bytes begin
    size_t m_used = 0;
};

}  // namespace tolvane
