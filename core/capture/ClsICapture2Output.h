#pragma once
// Whatever turns sound into a file for one recording: the WAVE/MP3 pipeline or the Windows
// Media output. The controller drives both only through these three calls, and learns through
// the same three events how a recording ended.

#include "common/NumberedError.h"
#include "core/capture/uCaptureSetting.h"

#include <QDateTime>
#include <QObject>

namespace tolvane {

class ClsICapture2Output : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~ClsICapture2Output() override = default;

    // Prepares everything for one recording.
    virtual bool SetParameter(uCaptureSetting &setting) = 0;
    // Begins recording with the sound that was live at `from`: the scheduled second of a
    // timetable recording, now for a manual one.
    virtual bool StartCapture(const QDateTime &from) = 0;
    // Asks the recording to end; the end itself is reported later by CaptureClosed.
    virtual bool StopCapture() = 0;
    // Lets go of a preparation that will not be started (its moment passed while another
    // recording ran), and of the device it may hold.
    virtual void DropPrepared() {}

signals:
    // The recording failed (writing, the sound source or the encoder) and is being stopped.
    // Raised once per recording.
    void WriteError(const tolvane::NumberedError &Err);
    // The sound source lost Frames frames of the recording, at SamplesPerSec; they were
    // recorded as silence, so the rest kept its place in time. Raised once, as it ends.
    void SoundLost(qint64 Frames, qint32 SamplesPerSec);
    // After StopCapture or a failure: every file of the recording is closed and reported.
    void CaptureClosed();
    // Passed on from the sound source (SoundSource::SourceNotice): a line for the activity log,
    // and a message for the user when Message is not empty.
    void SourceNotice(const QString &Event, const QString &Message);
};

}  // namespace tolvane
