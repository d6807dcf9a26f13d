#pragma once
// Which sound source the program records from: the sound card (or the stream a schedule names),
// unless its configuration text (the environment variable TOLVANE_CAPTURE_SOURCE) names a
// generated one, which then stands in for every source. The text is
//   alsa
//   generated:SEGMENT[,SEGMENT...][;pace=realtime|fast]
// where SEGMENT is tone=HERTZ@DECIBELS, silence or file=WAVEPATH, each optionally followed by
// *SECONDS (without, it lasts for ever, a file to its end); silence follows the last segment.
// Only the text after the last "*" that reads as a number is a length.
// Example: generated:tone=1000@-6*2,silence*5,tone=440@-20;pace=fast

#include "core/capture/GeneratedSoundSource.h"

#include <QString>

#include <memory>
#include <vector>

namespace tolvane {

struct SoundSourceConfig {
    enum class Kind { Alsa, Generated };
    Kind kind = Kind::Alsa;
    std::vector<GeneratedSoundSource::Segment> script;
    GeneratedSoundSource::Pace pace = GeneratedSoundSource::Pace::RealTime;

    // Throws NumberedError 5 naming what it could not read.
    static SoundSourceConfig Parse(const QString &text);
    // The program's choice: the text of TOLVANE_CAPTURE_SOURCE, the sound card when unset.
    static SoundSourceConfig FromEnvironment();

    std::unique_ptr<SoundSource> MakeSource(std::shared_ptr<IUserNotifier> notifier, const SourceChoice &choice) const;
};

}  // namespace tolvane
