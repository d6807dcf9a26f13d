#pragma once
// The root of the mixer object model: every mixer device of the system, read once when the
// object is made.

#include "mixer/interfaces/IDevice.h"

#include <functional>
#include <memory>
#include <vector>

namespace tolvane {

class IMixer {
public:
    virtual ~IMixer() = default;
    virtual qint32 GetnDevices() const = 0;
    virtual std::vector<std::shared_ptr<IDevice>> Devices() const = 0;
};

// Makes a new mixer object; throws NumberedError 0x80040001 when the system has no mixer device.
using MixerFactory = std::function<std::unique_ptr<IMixer>()>;

}  // namespace tolvane
