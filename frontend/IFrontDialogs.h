#pragma once
// The dialogs the main window opens: the schedule editor, the manual recording and end-time
// dialogs and the options. The window reaches them only through this interface; without an
// implementation the commands that need them stay disabled.

#include "core/schedule/ClsSchedule.h"
#include "core/schedule/TimeOfDay.h"

#include <QStringList>

#include <memory>
#include <optional>
#include <vector>

namespace tolvane {

class Frmmain;

class IFrontDialogs {
public:
    virtual ~IFrontDialogs() = default;
    // The editor on the given copies of the list's rows `keys` (none for a new schedule); true on
    // OK, and the copies then hold the edits.
    virtual bool ChangeSchedule(Frmmain &owner, const std::vector<std::shared_ptr<ClsSchedule>> &schedules,
                                const QStringList &keys) = 0;
    // The editor on the controller's default schedule; true on OK.
    virtual bool ChangeDefault(Frmmain &owner) = 0;
    // A configured copy of the defaults to record now; null on Cancel.
    virtual std::shared_ptr<ClsSchedule> SetManualRecord(Frmmain &owner, const std::shared_ptr<ClsSchedule> &defaults) = 0;
    // The new end time of the running recording; nothing on Cancel.
    virtual std::optional<Seconds> ChangeEndTime(Frmmain &owner, Seconds endTime) = 0;
    // The options dialog; it applies what the user confirms.
    virtual void ChangeOptions(Frmmain &owner) = 0;
};

}  // namespace tolvane
