#pragma once
// The services the recorder runs on in a real session, assembled in one place for tolvane-cli and
// the window: this is the one spot that knows every Linux implementation, so the core below it
// depends only on the interfaces.

#include "core/platform/CoreServices.h"

#include <QString>

#include <memory>

namespace tolvane {

// The wall clock, a tick aligned to it, messages on standard error, notifications on the session
// bus, logind, the real clock, programs started detached, the ALSA mixer, the encorda server and
// the capture outputs (from the sound source TOLVANE_SOUND_SOURCE names, else the sound card).
std::shared_ptr<CoreServices> RealServices(const QString &appFolder);

}  // namespace tolvane
