#pragma once
// Hibernation and power-off after a recording. Failures are ignored by the callers, as a
// machine that cannot hibernate should simply stay on.

#include <vector>

namespace tolvane {

class IPower {
public:
    virtual ~IPower() = default;
    virtual void Hibernate() = 0;
    virtual void PowerOff() = 0;
};

// Does nothing but remember what was asked, in order.
class RecordingPower final : public IPower {
public:
    enum class Action { Hibernate, PowerOff };
    void Hibernate() override { actions.push_back(Action::Hibernate); }
    void PowerOff() override { actions.push_back(Action::PowerOff); }
    std::vector<Action> actions;
};

}  // namespace tolvane
