// Arbitrary bytes as "schedule.xml" through the loader; whatever loads must save and load again.

#include "fuzz/ScheduleFuzzing.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace tolvane::fuzz;
    const auto services = Services();
    WriteFile("schedule.xml", data, size);
    if (auto loaded = Loaded(services))
        CheckSaveAndReload(*loaded, services);
    return 0;
}
