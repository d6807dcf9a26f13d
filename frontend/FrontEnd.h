#pragma once
// The window program from start to end: one instance per application folder, the main window
// on the real platform services, and the event loop.

namespace tolvane {

// Needs a QApplication. Returns the program's exit status; a second instance returns 0 at once.
int RunFrontEnd();

}  // namespace tolvane
