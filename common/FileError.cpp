#include "FileError.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>

namespace tolvane {

NumberedError FileError(const QFileDevice &file, const QString &path, const QString &source)
{
    qint32 number = ErrNo::PathFileAccess;
    if (!QFileInfo(path).absoluteDir().exists())
        number = ErrNo::PathNotFound;
    else if (file.error() == QFileDevice::ResourceError || errno == ENOSPC)
        number = ErrNo::DiskFull;
    const QString reason = file.errorString().isEmpty() ? NumberedError::StandardDescription(number)
                                                        : file.errorString();
    return NumberedError(number, QStringLiteral("%1: %2").arg(path, reason), source);
}

}  // namespace tolvane
