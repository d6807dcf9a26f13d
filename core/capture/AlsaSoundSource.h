#pragma once
// The sound card as a sound source, on ALSA. A capture thread reads the PCM as the card
// delivers it into a ring of BufferLength seconds (at least two), and wakes the main thread
// every half second of audio through the event loop; a main thread that is busy for a while
// loses nothing as long as the ring has room.

#include "core/capture/CaptureRing.h"
#include "core/capture/SoundSource.h"

#include <QString>

#include <atomic>
#include <thread>

namespace tolvane {

class AlsaSoundSource final : public SoundSource {
    Q_OBJECT
public:
    explicit AlsaSoundSource(std::shared_ptr<IUserNotifier> notifier, QObject *parent = nullptr);
    ~AlsaSoundSource() override;

    // Frames the ring had no room for, and how often the card overran the capture thread.
    qint64 LostFrames() const { return m_lostFrames; }
    qint64 Overruns() const { return m_overruns; }

protected:
    void OpenDevice(const CaptureBufferDesc &desc, bool UseSystemSourceDevice, qint32 DeviceID) override;
    void StartDevice() override;
    void StopDevice() override;
    void TakeCaptured(std::vector<char> &bytes) override;
    void ReleaseDevice() override;

private:
    struct Pcm;

    void ReadLoop();
    // Reads what the card holds; false when the device failed (already reported).
    bool ReadAvailable(std::vector<char> &chunk);
    void Store(const char *bytes, qint64 frames);
    NumberedError DeviceError(const QString &what, int alsaError) const;
    void ClosePcm();

    std::unique_ptr<Pcm> m_pcm;
    QString m_deviceName;
    CaptureRing m_ring;
    std::thread m_thread;
    std::atomic<bool> m_stop{false};
    std::atomic<qint64> m_lostFrames{0};
    std::atomic<qint64> m_overruns{0};
    qint64 m_framesSinceWakeUp = 0;  // the capture thread's own
};

}  // namespace tolvane
