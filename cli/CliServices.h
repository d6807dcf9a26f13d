#pragma once
// The platform services of the headless recorder, chosen by its configuration: the real Linux
// services, or with TOLVANE_DRY_RUN=1 a machine that only says what it would do (no
// hibernation, no power-off, no clock change), for trying a timetable out and for tests.

#include "core/platform/CoreServices.h"

#include <memory>

namespace tolvane::cli {

enum class ServiceMode { Recording, ReadOnly };

std::shared_ptr<CoreServices> MakeServices(ServiceMode mode);

// True when TOLVANE_DRY_RUN asks for the dry-run machine.
bool DryRun();

}  // namespace tolvane::cli
