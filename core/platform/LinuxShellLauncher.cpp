#include "IShellLauncher.h"

#include <QFileInfo>
#include <QProcess>

namespace tolvane {

int LinuxShellLauncher::Execute(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return ShellResult::FileNotFound;
    if (info.isFile() && info.isExecutable()) {
        // The program's own folder is its working folder, as a double-click would give it.
        return QProcess::startDetached(info.absoluteFilePath(), {}, info.absolutePath()) ? ShellResult::Started
                                                                                         : ShellResult::AccessDenied;
    }
    return QProcess::startDetached(QStringLiteral("xdg-open"), {info.absoluteFilePath()}) ? ShellResult::Started
                                                                                           : ShellResult::NoAssociation;
}

}  // namespace tolvane
