#include "LocalPath.h"

#include <QFileInfo>

namespace tolvane::LocalPath {

bool IsAbsolute(const QString &path)
{
    // QDir::isAbsolutePath would also take ":name", a path into Qt's resources.
    return path.startsWith(QLatin1Char('/'));
}

bool IsExistingFile(const QString &path)
{
    return IsAbsolute(path) && QFileInfo(path).isFile();
}

}  // namespace tolvane::LocalPath
