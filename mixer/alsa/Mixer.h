#pragma once
// The mixer of the system: one device per entry of the shared sound device list, each with
// every ALSA control read once when the Mixer is made.

#include "mixer/alsa/IControlSystem.h"
#include "mixer/interfaces/IMixer.h"

namespace tolvane {

class Mixer : public IMixer {
public:
    // The system's devices through ALSA. Both throw NumberedError 0x80040001 when there is no
    // device at all (no sound card and no sound server).
    Mixer();
    explicit Mixer(const IControlSystem &system);

    qint32 GetnDevices() const override;
    std::vector<std::shared_ptr<IDevice>> Devices() const override;

    // Makes real Mixer objects, for the controller and the front-end.
    static MixerFactory Factory();

private:
    std::vector<std::shared_ptr<IDevice>> m_devices;
};

}  // namespace tolvane
