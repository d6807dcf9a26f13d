#pragma once
// One external program to start before or after a recording, with the latest time of day at
// which it may still start. Programs are started and left to run.

#include "core/schedule/TimeOfDay.h"

#include <QString>

#include <memory>

namespace tolvane {

struct CoreServices;

class ClsExecuteItem {
public:
    explicit ClsExecuteItem(std::shared_ptr<const CoreServices> services);

    const QString &Path() const { return m_path; }
    // Only an absolute path where a file exists; otherwise throws 53 and keeps the old path.
    void setPath(const QString &path);
    // A time of day (it may run past 24:00:00 when computed as a start time plus seconds).
    Seconds LimitExecuteTime() const { return m_limit; }
    void setLimitExecuteTime(Seconds v) { m_limit = v; }
    bool UnlimitExecute() const { return m_unlimited; }
    void setUnlimitExecute(bool v) { m_unlimited = v; }

    // Starts the program unless its limit has passed; a refused start throws (number = the
    // launcher's code, "External Execute Failed").
    void Execute();

private:
    std::shared_ptr<const CoreServices> m_services;
    QString m_path;
    Seconds m_limit{0};
    bool m_unlimited = false;
};

}  // namespace tolvane
