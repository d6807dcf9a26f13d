#pragma once
// A sound source that plays a script of tones, silences and WAVE files instead of a sound
// card, with silence after the script's end. It delivers blocks exactly as the sound card
// does: at the pace of the clock, as fast as the event loop runs, or one by one on demand
// (manual pace), which makes recordings through it deterministic.

#include "core/capture/SoundSource.h"

#include <QElapsedTimer>
#include <QString>
#include <QTimer>

#include <map>
#include <memory>

namespace tolvane {

class GeneratedSoundSource final : public SoundSource {
    Q_OBJECT
public:
    struct Segment {
        enum class Kind { Tone, Silence, File };
        Kind kind = Kind::Silence;
        double seconds = -1;     // negative: for ever (a file: to its end)
        qint32 frequency = 0;    // tone, in whole hertz
        double decibels = 0;     // tone level relative to full scale
        QString path;            // file: a PCM WAVE file in the capture's format

        static Segment Tone(qint32 hertz, double decibels, double seconds = -1);
        static Segment Silence(double seconds = -1);
        static Segment File(const QString &path, double seconds = -1);
    };
    enum class Pace { Manual, RealTime, Fast };

    GeneratedSoundSource(std::vector<Segment> script, Pace pace, std::shared_ptr<IUserNotifier> notifier,
                         QObject *parent = nullptr);
    ~GeneratedSoundSource() override;

    // Manual pace: the device captures `frames` more frames, without a wake-up.
    void Advance(qint64 frames);
    // Manual pace: the next half second is captured and the source wakes up, as the sound card
    // would. Half seconds alternate in length where the rate is odd, so none drifts.
    void Pump();
    qint64 FramesCaptured() const { return m_captured; }

protected:
    void OpenDevice(const CaptureBufferDesc &desc, const SourceChoice &source) override;
    void StartDevice(std::chrono::steady_clock::time_point from) override;
    void StopDevice() override;
    void TakeCaptured(std::vector<char> &bytes) override;
    void ReleaseDevice() override;

private:
    // A segment in the capture's format: a pattern of frames played `frames` long (negative:
    // for ever), repeating when it is shorter.
    struct Prepared {
        std::shared_ptr<const std::vector<char>> pattern;
        qint64 patternFrames;
        qint64 frames;
    };
    Prepared Prepare(const Segment &segment);
    // A second of a tone (0 Hz: silence), made once for all segments that play it.
    std::shared_ptr<const std::vector<char>> Second(qint32 hertz, double decibels);
    void Render(qint64 frames);
    qint64 NextHalfSecond();
    void OnTimer();

    std::vector<Segment> m_script;
    Pace m_pace;
    std::vector<Prepared> m_prepared;
    std::map<std::pair<qint32, double>, std::shared_ptr<const std::vector<char>>> m_seconds;
    size_t m_segment = 0;
    qint64 m_position = 0;  // frames into the current segment
    qint64 m_captured = 0;
    qint64 m_halfSeconds = 0;
    std::vector<char> m_pending;
    QTimer m_timer;
    QElapsedTimer m_elapsed;
};

}  // namespace tolvane
