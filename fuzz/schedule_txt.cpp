// Arbitrary bytes as an old "schedule.txt" through the loader; a file that fails is set aside,
// and whatever loads must save as "schedule.xml" and load again from it.

#include "fuzz/ScheduleFuzzing.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace tolvane::fuzz;
    const auto services = Services();
    QFile::remove(PathOf("schedule.xml"));
    QFile::remove(PathOf("schedule.bak"));
    WriteFile("schedule.txt", data, size);
    if (auto loaded = Loaded(services))
        CheckSaveAndReload(*loaded, services);
    return 0;
}
