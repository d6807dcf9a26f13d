// Arbitrary bytes as an old "schedule.txt" through the loader; a file that fails is set aside,
// as are the schedules that do not read. Whatever was loaded, all of it or only some schedules,
// must save as "schedule.xml" and load again from it.

#include "fuzz/ScheduleFuzzing.h"

#include <QDir>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace tolvane::fuzz;
    const auto services = Services();
    QDir folder(AppFolder());
    for (const QString &name : folder.entryList({QStringLiteral("schedule.xml*"), QStringLiteral("schedule.bak*")}))
        folder.remove(name);
    WriteFile("schedule.txt", data, size);
    auto loaded = std::make_unique<tolvane::ClsController>(services);
    try {
        tolvane::ClsScheduleSaveLoad().LoadSchedule(*loaded);
    } catch (const tolvane::NumberedError &) {
    }
    CheckSaveAndReload(*loaded, services);
    return 0;
}
