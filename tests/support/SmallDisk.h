#pragma once
// A small tmpfs of the test's own, for a real "disk full": mounted on a temporary folder for
// the life of the object (tests run as root), unmounted at the end.

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <sys/mount.h>
#include <sys/statvfs.h>

namespace tolvane::test {

class SmallDisk {
public:
    explicit SmallDisk(qint64 bytes)
    {
        const QByteArray options = "size=" + QByteArray::number(bytes);
        m_mounted = m_dir.isValid() &&
                    ::mount("tmpfs", m_dir.path().toLocal8Bit().constData(), "tmpfs", 0, options.constData()) == 0;
    }
    ~SmallDisk()
    {
        if (m_mounted)
            ::umount2(m_dir.path().toLocal8Bit().constData(), MNT_DETACH);
    }
    SmallDisk(const SmallDisk &) = delete;
    SmallDisk &operator=(const SmallDisk &) = delete;

    bool Mounted() const { return m_mounted; }
    QString Path() const { return m_dir.path(); }
    qint64 FreeBytes() const
    {
        struct statvfs s {};
        if (::statvfs(m_dir.path().toLocal8Bit().constData(), &s) != 0)
            return -1;
        return qint64(s.f_bavail) * qint64(s.f_frsize);
    }

private:
    QTemporaryDir m_dir;
    bool m_mounted = false;
};

}  // namespace tolvane::test
