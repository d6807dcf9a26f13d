#pragma once
// The mixer's devices on the real ALSA library: the shared sound device list, each opened
// through snd_ctl.

#include "mixer/alsa/IControlSystem.h"

namespace tolvane {

class AlsaControlSystem : public IControlSystem {
public:
    std::vector<SoundDevice> Devices() const override;
    std::shared_ptr<IControlDevice> Open(const QString &ctl) const override;
};

}  // namespace tolvane
