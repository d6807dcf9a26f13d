#include "SourceChoice.h"

#include "core/schedule/ClsSchedule.h"

namespace tolvane {

SourceChoice SourceChoice::Of(const ClsSchedule &schedule)
{
    SourceChoice choice;
    choice.UseSystemSourceDevice = schedule.UseSystemSourceDevice();
    choice.DeviceID = schedule.DeviceID();
    // The system's input means the system's input, whatever source was chosen before.
    if (!schedule.UseSystemSourceDevice())
        choice.ServerSource = schedule.ServerSource();
    choice.StreamURL = schedule.StreamURL();
    return choice;
}

}  // namespace tolvane
