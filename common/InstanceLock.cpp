#include "InstanceLock.h"

namespace tolvane {

InstanceLock::InstanceLock(const QString &appFolder)
    : m_folder(appFolder), m_path(appFolder + QStringLiteral("/tolvane.lock")), m_lock(m_path)
{
    // Held for days by a live process, so never stale by age; a lock left by a process that
    // died is still taken over, as QLockFile checks whether its owner is running.
    m_lock.setStaleLockTime(0);
}

bool InstanceLock::TryAcquire()
{
    if (m_lock.tryLock(0))
        return true;
    QLockFile change(ChangeLockPath(m_folder));
    if (change.tryLock(0)) {
        change.unlock();
        return false;
    }
    return m_lock.tryLock(10000);
}

QString InstanceLock::ChangeLockPath(const QString &appFolder)
{
    return appFolder + QStringLiteral("/schedule.lock");
}

bool InstanceLock::TryAcquireAtOnce()
{
    return m_lock.tryLock(0);
}

qint64 InstanceLock::HolderPid() const
{
    qint64 pid = 0;
    QString host, app;
    return m_lock.getLockInfo(&pid, &host, &app) ? pid : 0;
}

QString InstanceLock::HolderApp() const
{
    qint64 pid = 0;
    QString host, app;
    return m_lock.getLockInfo(&pid, &host, &app) ? app : QString();
}

}  // namespace tolvane
