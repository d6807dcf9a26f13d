#pragma once
// What this process holds open, for tests that check that no file is left behind.

#include <QDir>
#include <QFile>
#include <QString>

namespace tolvane::test {

// Open descriptors of this process that lead into folder (a file without a name shows there as
// "folder/#inode (deleted)").
inline int DescriptorsInto(const QString &folder)
{
    int count = 0;
    const QDir fds(QStringLiteral("/proc/self/fd"));
    for (const QString &fd : fds.entryList(QDir::System | QDir::Files | QDir::NoDotAndDotDot)) {
        if (QFile::symLinkTarget(fds.filePath(fd)).startsWith(folder + QLatin1Char('/')))
            ++count;
    }
    return count;
}

}  // namespace tolvane::test
