#pragma once
// The sound card as a sound source, on ALSA. The device is opened, and read, from the moment
// the capture is prepared; the moment each frame was captured comes from how many frames ALSA
// holds when it is read. The ring holds BufferLength seconds (at least two, and two more for
// what a source hands over in one go); a main thread that is busy for a while loses nothing as
// long as the ring has room, and what the ring or the device does lose is handed on as silence
// and counted. A source of the sound server is recorded through ALSA's plugin for the server;
// one that is gone gives way to the system's input, with a notice.

#include "core/capture/CaptureTimeline.h"
#include "core/capture/RingSoundSource.h"

#include <QString>

namespace tolvane {

class AlsaSoundSource final : public RingSoundSource {
    Q_OBJECT
public:
    explicit AlsaSoundSource(std::shared_ptr<IUserNotifier> notifier, QObject *parent = nullptr);
    ~AlsaSoundSource() override;

    // How often the card overran the capture thread.
    qint64 Overruns() const { return m_overruns; }
    // The ALSA device the capture prepared last records from.
    const QString &DeviceName() const { return m_deviceName; }

protected:
    void OpenDevice(const CaptureBufferDesc &desc, const SourceChoice &source) override;
    void StopDevice() override;
    void ReleaseDevice() override;
    std::optional<qint64> FrameLiveAt(qint64 ns) const override;

private:
    struct Pcm;

    // The ALSA device of the choice; a server's source that is gone gives way to the system's input.
    QString DeviceOf(const SourceChoice &source);
    void Open(const CaptureBufferDesc &desc);
    void ReadLoop();
    // Reads what the card holds; false when the device failed (already reported).
    bool ReadAvailable(std::vector<char> &chunk);
    // By `ns` the device held `waiting` frames after those read: lost frames become silence.
    void Place(qint64 waiting, qint64 ns);
    NumberedError DeviceError(const QString &what, int alsaError) const;
    static QString MissingSourceText(const QString &name);
    void ClosePcm();

    std::unique_ptr<Pcm> m_pcm;
    QString m_deviceName;
    std::atomic<qint64> m_overruns{0};
    // The capture thread's own.
    CaptureTimeline m_timeline;
    qint64 m_fullBuffer = 0;  // frames waiting from which the device's buffer counts as full
};

}  // namespace tolvane
