#pragma once
// Paths the schedules store. Only an absolute path names a place on this machine: a path from
// the Windows program ("C:\Program Files\...") or a relative one would otherwise be taken
// against whatever folder the program happened to be started from.

#include <QString>

namespace tolvane::LocalPath {

bool IsAbsolute(const QString &path);

// An absolute path where a file (not a folder) is.
bool IsExistingFile(const QString &path);

}  // namespace tolvane::LocalPath
