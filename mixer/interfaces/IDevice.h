#pragma once
// One mixer device (a sound card, or the sound server's plugin device).

#include "mixer/interfaces/IDestinationLine.h"

#include <memory>
#include <vector>

namespace tolvane {

class IDevice {
public:
    virtual ~IDevice() = default;
    virtual qint32 GetndestinationLines() const = 0;
    virtual std::vector<std::shared_ptr<IDestinationLine>> destinationLines() const = 0;
    virtual QString Name() const = 0;
    virtual lvMIXERCAPS MixerCaps() const = 0;
};

}  // namespace tolvane
