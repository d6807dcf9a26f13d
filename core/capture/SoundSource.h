#pragma once
// Where captured sound comes from: a ring that fills while the recording runs and wakes the
// main thread every half second of audio, and once more when the capture stops. Each wake-up
// hands everything captured since the last one to the listener as one block, and the stop
// wake-up ends with FinishCapture. The rules of that hand-over live here; the backends (the
// sound card on ALSA, a generated source for tests) only fill the ring.

#include "common/NumberedError.h"
#include "core/capture/SourceChoice.h"
#include "core/capture/WaveFormat.h"
#include "core/platform/IClock.h"
#include "core/platform/IUserNotifier.h"

#include <QObject>

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace tolvane {

class SoundSource : public QObject {
    Q_OBJECT
public:
    explicit SoundSource(std::shared_ptr<IUserNotifier> notifier, QObject *parent = nullptr);
    ~SoundSource() override;

    // Prepares a capture: the format from the wave setting, a ring of BufferLength seconds,
    // and the source the schedule chose (the system's default device when
    // UseSystemSourceDevice, else device DeviceID of the shared device list or the server's
    // source it names, or a stream). Errors propagate to the caller.
    CaptureBufferDesc SetParameter(Bit bit, Frequency frequency, Channel channel, double BufferLength,
                                   const SourceChoice &source);
    CaptureBufferDesc SetParameter(Bit bit, Frequency frequency, Channel channel, double BufferLength,
                                   bool UseSystemSourceDevice, qint32 DeviceID)
    {
        return SetParameter(bit, frequency, channel, BufferLength, SourceChoice{UseSystemSourceDevice, DeviceID, {}, {}});
    }
    // Starts the capture with the sound that was live at `from` (a moment just past, or now):
    // which frames belong to it is decided by when they were captured, not by when this call
    // comes, so a device opened early still starts on its second.
    void StartSchedule(std::chrono::steady_clock::time_point from = std::chrono::steady_clock::now());
    // Waits, briefly, until the prepared source is open or has failed to open (a stream still
    // connecting); throws the failure. A capture whose source failed is not started at all.
    virtual void AwaitOpen() {}
    // Ends the capture; the last block and FinishCapture follow through the event loop.
    void StopSchedule();
    // Ends the capture at once: the last block and FinishCapture are raised before this returns,
    // unless a listener of this source is still at work on a block (then they follow it).
    void StopScheduleNow();

    // A copy of the last block, for the listener of the buffer events to take at once.
    std::vector<quint8> WaveData8() const;
    std::vector<qint16> WaveData16() const;
    // The same into block, whose storage is reused, so that a listener that keeps one block
    // buffer allocates nothing per block.
    void WaveData8(std::vector<quint8> &block) const;
    void WaveData16(std::vector<qint16> &block) const;

    // A listener of a buffer event could not take the block: the error is handled as any
    // other error of the wake-up (Failed, then the capture stops).
    void ReportListenerError(const NumberedError &error);

    bool Capturing() const { return m_state == State::Capturing; }
    // Frames of this capture that the device or the ring lost; each was handed on as silence,
    // so the sound after a loss keeps its place in time.
    virtual qint64 FramesLost() const { return 0; }
    // The format and ring of the capture prepared last.
    const CaptureBufferDesc &Description() const { return m_desc; }
    // The title the source announces for what it plays now (a stream's); empty when none.
    virtual QString StreamTitle() const { return {}; }

    // `moment` on the steady clock, read against `clock` (which tests may simulate: a moment
    // that is "now" on it is now).
    static std::chrono::steady_clock::time_point SteadyMoment(const IClock &clock, const QDateTime &moment);

signals:
    void FinishCapture();
    void ArriveReadableBuffer8();
    void ArriveReadableBuffer16();
    // The capture failed (the device, or a listener that could not take a block) and is being
    // stopped: the last block and FinishCapture follow. Raised once per capture; a source whose
    // failures nobody listens to shows them to the user itself.
    void Failed(const tolvane::NumberedError &Err);
    // Something about the source worth a line in the activity log (Event, an event word and
    // its detail) and, when Message is not empty, worth telling the user; the capture goes on.
    void SourceNotice(const QString &Event, const QString &Message);

protected:
    // The backend's part. OpenDevice and StartDevice may throw NumberedError; the others must not.
    virtual void OpenDevice(const CaptureBufferDesc &desc, const SourceChoice &source) = 0;
    // Frames captured before `from` are not part of the recording.
    virtual void StartDevice(std::chrono::steady_clock::time_point from) = 0;
    // No more audio enters the ring after this returns.
    virtual void StopDevice() = 0;
    // Moves everything captured since the last call into `bytes` (whole frames).
    virtual void TakeCaptured(std::vector<char> &bytes) = 0;
    virtual void ReleaseDevice() = 0;

    // The wake-up handler, run on the main thread: every half second, and once at stop.
    void WakeUp(bool stop);
    // The backend failed while capturing: reported as an error of the wake-up.
    void DeviceFailed(const NumberedError &error);
    // Posts a wake-up of the running capture to the main thread (callable from any thread); one
    // that arrives after its capture has ended is dropped.
    void PostWakeUp(bool stop = false);
    // Posts DeviceFailed to the main thread (callable from any thread).
    void PostDeviceFailed(const NumberedError &error);
    // Raises SourceNotice on the main thread (callable from any thread), whether or not a
    // capture runs by then.
    void PostNotice(const QString &event, const QString &message = {});


private:
    enum class State { Idle, Configured, Capturing, Stopping };

    void Deliver();
    void Fail(const NumberedError &error);
    // Runs call on the main thread, unless the capture it belongs to has ended by then.
    void PostToThisCapture(std::function<void()> call);

    std::shared_ptr<IUserNotifier> m_notifier;
    State m_state = State::Idle;
    CaptureBufferDesc m_desc;
    std::vector<char> m_bytes;  // the last block as captured (little-endian samples)
    bool m_busy = false;
    bool m_stopWhileBusy = false;
    bool m_failed = false;  // this capture has reported its failure
    std::optional<NumberedError> m_listenerError;
    std::atomic<quint64> m_generation{0};  // one per capture, so late wake-ups are told apart
};

}  // namespace tolvane
