#pragma once
// What every dialog of the window works with: the controller whose schedules and options it
// edits, the questioner for its message boxes, and the host that shows it.

namespace tolvane {

class ClsController;
class IDialogHost;
class IQuestioner;

struct DialogContext {
    ClsController &controller;
    IQuestioner &questions;
    IDialogHost &host;
};

}  // namespace tolvane
