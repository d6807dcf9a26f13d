#pragma once
// The machine's wake alarm: wakes a suspended machine at a moment, so that a recording is not
// missed. One alarm at a time; arming replaces the previous one.

#include <QDateTime>

#include <optional>

namespace tolvane {

class IWakeAlarm {
public:
    virtual ~IWakeAlarm() = default;
    // Throws NumberedError when the system refuses.
    virtual void Arm(const QDateTime &moment) = 0;
    virtual void Disarm() = 0;
};

// The real clock's alarm through /sys/class/rtc/rtc0/wakealarm when the process may write it,
// otherwise a transient systemd timer with WakeSystem=yes.
class SystemWakeAlarm final : public IWakeAlarm {
public:
    void Arm(const QDateTime &moment) override;
    void Disarm() override;
};

}  // namespace tolvane
