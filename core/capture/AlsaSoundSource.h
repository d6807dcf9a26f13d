#pragma once
// The sound card as a sound source, on ALSA. The device is opened, and read, from the moment
// the capture is prepared: a capture thread keeps the last seconds in a ring, with the moment
// each frame was captured (from how many frames ALSA holds when it is read), so that the recording can begin with the frame
// captured at its second however early the device was opened and however late the start call
// comes. From then on the ring holds BufferLength seconds (at least two, and two more for what a
// source hands over in one go) and the main thread is
// woken every half second of audio through the event loop; a main thread that is busy for a
// while loses nothing as long as the ring has room, and what the ring or the device does lose
// is handed on as silence and counted.

#include "core/capture/CaptureRing.h"
#include "core/capture/CaptureTimeline.h"
#include "core/capture/SoundSource.h"

#include <QString>

#include <atomic>
#include <limits>
#include <mutex>
#include <optional>
#include <thread>

namespace tolvane {

class AlsaSoundSource final : public SoundSource {
    Q_OBJECT
public:
    explicit AlsaSoundSource(std::shared_ptr<IUserNotifier> notifier, QObject *parent = nullptr);
    ~AlsaSoundSource() override;

    qint64 FramesLost() const override { return m_lostFrames; }
    // How often the card overran the capture thread.
    qint64 Overruns() const { return m_overruns; }

protected:
    void OpenDevice(const CaptureBufferDesc &desc, bool UseSystemSourceDevice, qint32 DeviceID) override;
    void StartDevice(std::chrono::steady_clock::time_point from) override;
    void StopDevice() override;
    void TakeCaptured(std::vector<char> &bytes) override;
    void ReleaseDevice() override;

private:
    struct Pcm;
    static constexpr qint64 kNotStarted = std::numeric_limits<qint64>::max();

    void ReadLoop();
    // Reads what the card holds; false when the device failed (already reported).
    bool ReadAvailable(std::vector<char> &chunk);
    // By `ns` the device held `waiting` frames after those read: lost frames become silence.
    void Place(qint64 waiting, qint64 ns);
    void Store(const char *bytes, qint64 frames);
    // Once the frame captured at the start moment is in, the recording begins with it.
    void BeginWhenDue();
    void CountTowardsWakeUp(qint64 frames);
    // The device failed on the capture thread: kept for a start still to come, and reported.
    void Fail(const NumberedError &error);
    NumberedError DeviceError(const QString &what, int alsaError) const;
    void StopThread();
    void ClosePcm();

    std::unique_ptr<Pcm> m_pcm;
    QString m_deviceName;
    CaptureRing m_ring;
    std::thread m_thread;
    std::atomic<bool> m_stop{false};
    std::atomic<qint64> m_startNs{kNotStarted};  // the start moment on the steady clock
    std::atomic<qint64> m_lostFrames{0};
    std::atomic<qint64> m_overruns{0};
    std::atomic<bool> m_failed{false};
    std::mutex m_failureMutex;
    std::optional<NumberedError> m_failure;
    // The capture thread's own.
    CaptureTimeline m_timeline;
    qint64 m_fullBuffer = 0;  // frames waiting from which the device's buffer counts as full
    qint64 m_framesSinceWakeUp = 0;
};

}  // namespace tolvane
