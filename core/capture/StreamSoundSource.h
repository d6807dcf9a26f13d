#pragma once
// An internet radio stream as a sound source. The stream is opened, decoded and placed on the
// clock from the moment the capture is prepared, on a thread of its own, so that the recording
// can begin with the sound live at its second. A stream that drops is connected again, after
// a quarter of a second and then at growing intervals of at most a second, while silence
// stands in for it; the log hears of the drop and of the return, and the silence is reported
// as lost sound once, at the end. A stream that cannot be opened at all fails the capture.

#include "core/capture/RingSoundSource.h"
#include "core/capture/StreamPlacer.h"

#include <QString>

#include <condition_variable>
#include <memory>
#include <mutex>

namespace tolvane {

class StreamReader;

class StreamSoundSource final : public RingSoundSource {
    Q_OBJECT
public:
    explicit StreamSoundSource(std::shared_ptr<IUserNotifier> notifier, QObject *parent = nullptr);
    ~StreamSoundSource() override;

    QString StreamTitle() const override;
    // Waits up to kOpenWaitNs for the stream to open, so that a stream that refuses is known
    // before the recording starts.
    void AwaitOpen() override;

    // The waits between attempts to connect again after a drop.
    static constexpr qint64 kFirstRetryNs = 250'000'000;
    static constexpr qint64 kLongestRetryNs = 1'000'000'000;
    static constexpr qint64 kOpenWaitNs = 1'500'000'000;

protected:
    void OpenDevice(const CaptureBufferDesc &desc, const SourceChoice &source) override;
    void StopDevice() override;
    void ReleaseDevice() override;
    std::optional<qint64> FrameLiveAt(qint64 ns) const override;

private:
    void ReadLoop(QString url);
    // Runs while FFmpeg waits too: the stream's placing and the silence for an overdue stream.
    bool Wait();
    void TakeTitle(const StreamReader &reader);
    void Fail(const NumberedError &error) override;
    void Decided();

    std::unique_ptr<StreamPlacer> m_placer;  // the thread's own
    qint64 m_lastTickNs = 0;
    mutable std::mutex m_titleMutex;
    QString m_title;
    std::mutex m_openMutex;
    std::condition_variable m_openChanged;
    bool m_openDecided = false;  // the first connection has opened, or failed
};

}  // namespace tolvane
