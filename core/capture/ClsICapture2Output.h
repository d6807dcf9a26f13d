#pragma once
// Whatever turns sound into a file for one recording: the WAVE/MP3 pipeline or the Windows
// Media output. The controller talks to both only through these three calls.

#include "core/capture/uCaptureSetting.h"

namespace tolvane {

class ClsICapture2Output {
public:
    virtual ~ClsICapture2Output() = default;
    // Prepares everything for one recording.
    virtual bool SetParameter(uCaptureSetting &setting) = 0;
    virtual bool StartCapture() = 0;
    // Asks the recording to end; the end itself is reported later by the output's own events.
    virtual bool StopCapture() = 0;
};

}  // namespace tolvane
