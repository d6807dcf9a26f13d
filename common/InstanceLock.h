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

    // Takes the lock without waiting; false when another live process holds it.
    bool TryAcquire();
    // The process holding the lock, when TryAcquire failed (0 when unknown), and its program name.
    qint64 HolderPid() const;
    QString HolderApp() const;

private:
    QString m_path;
    QLockFile m_lock;
};

}  // namespace tolvane
