#pragma once
// Makes the capture outputs the controller drives, so that the program plugs in the sound
// card and tests plug in a generated source.

#include "core/capture/ClsICapture2Output.h"
#include "core/capture/ICapturePipeline.h"

#include <memory>

namespace tolvane {

class ICaptureFactory {
public:
    virtual ~ICaptureFactory() = default;
    // A new WAVE/MP3 capture pipeline for one recording or one monitoring session.
    virtual std::shared_ptr<ICapturePipeline> CreatePipeline() = 0;
    // The Windows Media output; one object serves every Windows Media recording.
    virtual std::shared_ptr<ClsICapture2Output> WindowsMediaOutput() = 0;
    // Whether Windows Media recordings can be made here.
    virtual bool WindowsMediaAvailable() = 0;
};

}  // namespace tolvane
