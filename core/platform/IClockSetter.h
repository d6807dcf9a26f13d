#pragma once
// Sets the system clock. Failures are raised as numbered errors.

#include <QDateTime>

#include <memory>

namespace tolvane {

class IClockSetter {
public:
    virtual ~IClockSetter() = default;
    virtual void SetTime(const QDateTime &moment) = 0;
};

// clock_settime when the process may; systemd-timedated over D-Bus otherwise.
class SystemClockSetter final : public IClockSetter {
public:
    void SetTime(const QDateTime &moment) override;
};

// Refuses every change: for commands that must only read, and runs that must not touch the clock.
class RefusingClockSetter final : public IClockSetter {
public:
    void SetTime(const QDateTime &moment) override;
};

}  // namespace tolvane
