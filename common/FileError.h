#pragma once
// Turns a failed file operation into the numbered error the system reports for it.

#include "NumberedError.h"

#include <QFileDevice>
#include <QString>

namespace tolvane {

// 76 when the folder is missing, 61 when the disk is full, otherwise 75; the description
// names the file and carries the system's own reason.
NumberedError FileError(const QFileDevice &file, const QString &path, const QString &source = {});

// The same for a failed system call on a file descriptor, from its errno.
NumberedError FileError(int error, const QString &path, const QString &source = {});

}  // namespace tolvane
