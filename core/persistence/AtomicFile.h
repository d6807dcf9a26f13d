#pragma once
// Replacing a file whole: the new content goes to a temporary file beside it, reaches the disk,
// and only then takes the file's name. A crash or a full disk leaves the old file as it was.

#include <QByteArray>
#include <QString>

namespace tolvane {

// Replaces (or creates) `path` with `bytes`; failures throw the file's numbered error.
void WriteFileAtomically(const QString &path, const QByteArray &bytes, const QString &source);

}  // namespace tolvane
