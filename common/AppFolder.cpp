#include "AppFolder.h"

#include <QDir>
#include <QStandardPaths>

namespace tolvane::AppFolder {

QString Path()
{
    QString path = qEnvironmentVariable("TOLVANE_HOME");
    if (path.isEmpty()) {
        // The base directory rules ignore a relative XDG_DATA_HOME.
        QString data = qEnvironmentVariable("XDG_DATA_HOME");
        if (data.isEmpty() || QDir::isRelativePath(data))
            data = QDir::homePath() + QStringLiteral("/.local/share");
        path = data + QStringLiteral("/tolvane");
    }
    path = QDir::cleanPath(QDir(path).absolutePath());
    return path;
}

bool EnsureExists()
{
    return QDir().mkpath(Path());
}

QString MusicFolder()
{
    QString music = QStandardPaths::writableLocation(QStandardPaths::MusicLocation);
    if (music.isEmpty())
        music = QDir::homePath() + QStringLiteral("/Music");
    return QDir::cleanPath(music);
}

}  // namespace tolvane::AppFolder
