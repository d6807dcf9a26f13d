#pragma once
// A sound source whose own thread takes sound in as it comes (a sound card, a stream) and keeps
// it in a ring with the moment each frame was live, so that a recording begins with the frame
// live at its start however early the source was opened and however late the start call comes.
// Once the recording has begun the main thread is woken every half second of sound through the
// event loop; what the ring cannot hold, and the silence the backend puts in place of sound it
// lost, are counted and reported as lost. The backends only feed the ring and say which frame
// was live when.

#include "core/capture/CaptureRing.h"
#include "core/capture/SoundSource.h"

#include <atomic>
#include <deque>
#include <functional>
#include <limits>
#include <mutex>
#include <optional>
#include <thread>

namespace tolvane {

class RingSoundSource : public SoundSource {
    Q_OBJECT
public:
    using SoundSource::SoundSource;
    ~RingSoundSource() override;

    qint64 FramesLost() const override { return m_lostFrames; }
    void AwaitOpen() override;

protected:
    static constexpr qint64 kNotStarted = std::numeric_limits<qint64>::max();

    void StartDevice(std::chrono::steady_clock::time_point from) override;
    void TakeCaptured(std::vector<char> &bytes) override;

    // Only while the thread is not running: an empty ring of `seconds` seconds of the format,
    // and a capture that has neither started nor failed.
    void ResetRing(const WaveFormat &format, double seconds);
    // Lets go of the ring's memory once the capture is over; what it lost stays counted.
    void FreeRing() { m_ring.Reset(0, 1, 0); }
    void StartThread(std::function<void()> loop);
    // Asks the thread to end and waits for it.
    void StopThread();
    bool ThreadRunning() const { return m_thread.joinable(); }
    bool StopAsked() const { return m_stop; }

    // The thread's side.
    void Store(const char *bytes, qint64 frames);
    // Silence in place of sound that was lost, so that what follows keeps its place in time.
    void StoreSilence(qint64 frames);
    qint64 FramesWritten() const { return m_ring.FramesWritten(); }
    // The recording begins once the frame live at its start moment is in.
    void BeginWhenDue();
    // The failure is kept for a start still to come, and reported.
    virtual void Fail(const NumberedError &error);
    // The start moment on the steady clock in nanoseconds; kNotStarted before the start.
    qint64 StartNs() const { return m_startNs; }
    // The frame (counted as the ring counts) live at `ns`; none while the backend cannot tell yet.
    virtual std::optional<qint64> FrameLiveAt(qint64 ns) const = 0;

    static qint64 SteadyNs(std::chrono::steady_clock::time_point t);

private:
    void CountTowardsWakeUp(qint64 frames);

    CaptureRing m_ring;
    std::thread m_thread;
    std::atomic<bool> m_stop{false};
    std::atomic<qint64> m_startNs{kNotStarted};
    std::atomic<qint64> m_lostFrames{0};
    std::atomic<bool> m_failed{false};
    std::mutex m_failureMutex;
    std::optional<NumberedError> m_failure;
    // The thread's own.
    qint64 m_framesSinceWakeUp = 0;
    qint64 m_halfSecond = 1;
    qint64 m_capacity = 0;
    // Silence stored before the recording began, [first, end) as the ring counts: the part the
    // recording keeps was lost too.
    std::deque<std::pair<qint64, qint64>> m_earlySilence;
};

}  // namespace tolvane
