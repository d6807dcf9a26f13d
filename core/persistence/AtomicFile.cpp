#include "AtomicFile.h"

#include "common/FileError.h"

#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace tolvane {

namespace {

// The rename is only durable once the folder's entry is on disk too. The file is already in
// place by then, so a folder that cannot be synced does not make the write a failure.
void SyncFolderOf(const QString &path)
{
    const QByteArray folder = QFile::encodeName(QFileInfo(path).absolutePath());
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

void WriteFileAtomically(const QString &path, const QByteArray &bytes, const QString &source)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw FileError(file, path, source);
    if (file.write(bytes) != bytes.size() || !file.flush())
        throw FileError(file, path, source);
    // QSaveFile renames without syncing; the content must be on disk before it takes the name.
    if (::fsync(file.handle()) != 0)
        throw FileError(errno, path, source);
    if (!file.commit())
        throw FileError(file, path, source);
    SyncFolderOf(path);
}

}  // namespace tolvane
