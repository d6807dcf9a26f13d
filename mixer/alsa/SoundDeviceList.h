#pragma once
// The one list of sound devices that capture and mixer share: the ALSA cards in card order,
// then the sound server's ALSA plugin device ("pulse", its default source) when a server
// answers, then each source of the server (the monitors of its outputs included) through the
// same plugin. Device k of this list is DeviceID k for both the capture source and the mixer.
// The server's sources come and go, so a schedule names one by its server name, not its place.

#include <QString>

#include <vector>

namespace tolvane {

struct SoundDevice {
    QString name;  // what the user sees
    QString pcm;   // ALSA PCM to capture from ("plughw:0", "pulse", "default")
    QString ctl;   // ALSA control device of its mixer ("hw:0", "pulse")
    QString serverSource;  // the sound server's name of the source, for the server's own sources
};

class SoundDeviceList {
public:
    // Reads the list now (cards are probed, the server is asked once).
    static std::vector<SoundDevice> Current();
    // The system's default capture device, used when a schedule records from it.
    static SoundDevice SystemDefault();
    // The entry of `devices` for the server's source of that name; null when it is not there.
    static const SoundDevice *FindServerSource(const std::vector<SoundDevice> &devices, const QString &name);
};

}  // namespace tolvane
