#include "AppFolder.h"

#include <QDir>

namespace tolvane::AppFolder {

QString Path()
{
    QString path = qEnvironmentVariable("TOLVANE_HOME");
    if (path.isEmpty())
        path = QDir::homePath() + QStringLiteral("/.local/share/tolvane");
    path = QDir::cleanPath(QDir(path).absolutePath());
    return path;
}

bool EnsureExists()
{
    return QDir().mkpath(Path());
}

}  // namespace tolvane::AppFolder
