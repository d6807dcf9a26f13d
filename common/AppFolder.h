#pragma once
// Where the program keeps its files: $TOLVANE_HOME, else ~/.local/share/tolvane.

#include <QString>

namespace tolvane::AppFolder {

// The folder's path, without a trailing "/". Reading it never creates anything.
QString Path();

// Creates the folder when it is missing; false when that fails.
bool EnsureExists();

}  // namespace tolvane::AppFolder
