#pragma once
// The ring between the capture thread, which writes what the sound card delivers, and the
// main thread, which reads everything written since its last read. Frames are counted from the
// first one written, so that a recording can begin at a chosen frame.
//
// Before the recording begins the ring is a short history: the newest frames push the oldest
// out, so that a recording can still begin at a moment just past. Once it has begun, frames
// that find no room are dropped, counted, and handed to the reader as silence, so that every
// frame keeps its place in time.

#include <QtGlobal>

#include <mutex>
#include <vector>

namespace tolvane {

class CaptureRing {
public:
    // Empties the ring and gives it room for capacityFrames frames of frameBytes bytes each;
    // `silence` is the byte of a silent frame (0 for 16-bit samples, 128 for 8-bit ones). Only
    // while no thread writes.
    void Reset(qint64 capacityFrames, qint32 frameBytes, char silence);

    // The producer's side.
    void Write(const char *bytes, qint64 frames);
    void WriteSilence(qint64 frames);
    // The number the next frame written will have (silence included).
    qint64 FramesWritten() const;
    // Begins the recording at frame `first`; what was written before it is discarded. Returns
    // the frame the recording begins with: `first`, or the oldest frame still held when `first`
    // is older than that.
    qint64 Begin(qint64 first);
    bool Begun() const;

    // The consumer's side: appends every frame of the recording written since the last read to
    // `out`, then silence for the frames dropped since then. Returns the frames dropped. Before
    // the recording has begun there is nothing to read.
    qint64 ReadAll(std::vector<char> &out);

private:
    void Put(const char *bytes, qint64 frames);

    mutable std::mutex m_mutex;
    std::vector<char> m_buffer;
    qint32 m_frameBytes = 1;
    char m_silence = 0;
    qint64 m_capacity = 0;  // frames
    qint64 m_start = 0;     // where the oldest held frame lies, in frames into the buffer
    qint64 m_used = 0;      // frames held
    qint64 m_written = 0;   // frames written since Reset
    qint64 m_dropped = 0;   // frames dropped since the last read
    bool m_begun = false;
};

}  // namespace tolvane
