#pragma once
// Where the mixer finds its devices: the shared sound device list and a way to open a device's
// controls. The real one is ALSA; tests use an in-memory one.

#include "mixer/alsa/IControlDevice.h"
#include "mixer/alsa/SoundDeviceList.h"

#include <memory>
#include <vector>

namespace tolvane {

class IControlSystem {
public:
    virtual ~IControlSystem() = default;
    virtual std::vector<SoundDevice> Devices() const = 0;
    // The controls of a device by its ALSA control name ("hw:0", "pulse"); null when it cannot
    // be opened. The device stays open while the pointer is held.
    virtual std::shared_ptr<IControlDevice> Open(const QString &ctl) const = 0;
};

}  // namespace tolvane
