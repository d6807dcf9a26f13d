#pragma once
// Hibernation and power-off after a recording. Failures are ignored by the callers, as a
// machine that cannot hibernate should simply stay on.

namespace tolvane {

class IPower {
public:
    virtual ~IPower() = default;
    virtual void Hibernate() = 0;
    virtual void PowerOff() = 0;
};

}  // namespace tolvane
