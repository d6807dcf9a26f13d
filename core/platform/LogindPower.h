#pragma once
// Hibernate and power off through systemd-logind on the system bus, without interaction.

#include "core/platform/IPower.h"

namespace tolvane {

class LogindPower final : public IPower {
public:
    void Hibernate() override;
    void PowerOff() override;
};

}  // namespace tolvane
