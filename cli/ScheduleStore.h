#pragma once
// The schedules of the application folder as `tolvane-cli schedule` changes them: read as the
// recorder reads them, changed on the controller, and saved through its one atomic save. A
// change waits for another change to end; it is refused while the window holds the folder
// (the window would write its own schedules over it), and a running recorder is told to read
// the file again.

#include "cli/ConsoleOutput.h"
#include "core/controller/ClsController.h"

#include <QLockFile>

#include <memory>
#include <optional>

namespace tolvane {
class InstanceLock;
}

namespace tolvane::cli {

class ScheduleStore {
public:
    ScheduleStore(std::FILE *out, std::FILE *err);
    ~ScheduleStore();

    // Reads the schedules; for a change, first takes the folder for it. Nothing when that
    // worked; otherwise the exit status after saying why: 1 the file cannot be read or the
    // folder not taken, 3 the window runs this folder's timetable.
    std::optional<int> Open(bool forChange);

    ClsController &Controller() { return *m_controller; }
    ConsoleOutput &Console() { return m_console; }

    // The key of the schedule `name`, or of "#N", the N-th schedule as `schedule list` counts
    // them. Empty, with the reason in `problem`, when no schedule or several have the name.
    QString Find(const QString &name, QString &problem);
    // The place of a key in the list, counted from 1 like "#N".
    qsizetype Number(const QString &key);

    // Saves the schedules and tells a recorder that runs the timetable. The activity log, while
    // logging is on, gets the change (`event` of the schedule `name`, as the window's changes
    // give it) and the save. False after saying why.
    bool Save(const QString &name, const QString &event);

private:
    ConsoleOutput m_console;
    std::shared_ptr<CoreServices> m_services;
    std::unique_ptr<ClsController> m_controller;
    std::unique_ptr<QLockFile> m_changeLock;
    std::unique_ptr<InstanceLock> m_folderLock;
    qint64 m_recorderPid = 0;  // the recorder that holds the folder, when one does
};

}  // namespace tolvane::cli
