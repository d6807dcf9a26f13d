#pragma once
// Entry point for the controller's lasting state: loads "schedule.xml" (or, on an older
// installation, "schedule.txt") at set-up and writes "schedule.xml" on save.

#include <QString>

namespace tolvane {

class ClsController;

class ClsScheduleSaveLoad {
public:
    // Fills the controller's options, default schedule and list. Failures are raised.
    void LoadSchedule(ClsController &iController);
    // Writes "schedule.xml". SaveVer is accepted and not used. Failures are raised.
    void SaveSchedule(ClsController &iController, const QString &SaveVer);
};

}  // namespace tolvane
