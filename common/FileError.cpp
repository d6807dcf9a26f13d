#include "FileError.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <cstring>

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

NumberedError FileError(int error, const QString &path, const QString &source)
{
    qint32 number = ErrNo::PathFileAccess;
    if (error == ENOENT || error == ENOTDIR)
        number = ErrNo::PathNotFound;
    else if (error == ENOSPC || error == EDQUOT || error == EFBIG)
        number = ErrNo::DiskFull;
    return NumberedError(number, QStringLiteral("%1: %2").arg(path, QString::fromLocal8Bit(std::strerror(error))),
                         source);
}

}  // namespace tolvane
