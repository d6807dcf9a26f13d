#pragma once
// Where the program keeps its files: $TOLVANE_HOME, else $XDG_DATA_HOME/tolvane (by default
// ~/.local/share/tolvane); and where a new user's recordings go.

#include <QString>

namespace tolvane::AppFolder {

// The folder's path, without a trailing "/". Reading it never creates anything.
QString Path();

// Creates the folder when it is missing; false when that fails.
bool EnsureExists();

// The user's music folder (XDG_MUSIC_DIR of ~/.config/user-dirs.dirs, else ~/Music): the save
// folder of a first run. Reading it never creates anything.
QString MusicFolder();

}  // namespace tolvane::AppFolder
