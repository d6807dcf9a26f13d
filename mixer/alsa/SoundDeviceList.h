#pragma once
// The one list of sound devices that capture and mixer share: the ALSA cards in card order,
// then the sound server's ALSA plugin device ("pulse") when a server answers. Device k of this
// list is DeviceID k for both the capture source and the mixer.

#include <QString>

#include <vector>

namespace tolvane {

struct SoundDevice {
    QString name;  // what the user sees
    QString pcm;   // ALSA PCM to capture from ("plughw:0", "pulse", "default")
    QString ctl;   // ALSA control device of its mixer ("hw:0", "pulse")
};

class SoundDeviceList {
public:
    // Reads the list now (cards are probed, the server is asked once).
    static std::vector<SoundDevice> Current();
    // The system's default capture device, used when a schedule records from it.
    static SoundDevice SystemDefault();
};

}  // namespace tolvane
