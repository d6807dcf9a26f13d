#pragma once
// The single-instance lock: one program at a time (the window or the headless recorder) runs
// the timetable of an application folder, so that nothing is ever recorded twice.

#include <QLockFile>
#include <QString>

namespace tolvane {

class InstanceLock {
public:
    // The lock file "tolvane.lock" in the given application folder.
    explicit InstanceLock(const QString &appFolder);

    // Takes the lock; false when another live process holds it. A change of the schedules
    // (which holds "schedule.lock" beside it) holds it for a moment only, so that one is waited for.
    bool TryAcquire();
    // Takes the lock if it is free, without waiting for anything.
    bool TryAcquireAtOnce();
    // The lock a change of the schedules holds for its whole length.
    static QString ChangeLockPath(const QString &appFolder);
    // The process holding the lock, when TryAcquire failed (0 when unknown), and its program name.
    qint64 HolderPid() const;
    QString HolderApp() const;

private:
    QString m_folder;
    QString m_path;
    QLockFile m_lock;
};

}  // namespace tolvane
