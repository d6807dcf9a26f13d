#pragma once
// Sets the system clock. Failures are raised as numbered errors.

#include <QDateTime>

#include <memory>

namespace tolvane {

class SimulatedClock;

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

// Moves a simulated clock (tests and dry runs).
class SimulatedClockSetter final : public IClockSetter {
public:
    explicit SimulatedClockSetter(std::shared_ptr<SimulatedClock> clock) : m_clock(std::move(clock)) {}
    void SetTime(const QDateTime &moment) override;
    int calls = 0;

private:
    std::shared_ptr<SimulatedClock> m_clock;
};

// Refuses every change: for commands that must only read, and runs that must not touch the clock.
class RefusingClockSetter final : public IClockSetter {
public:
    void SetTime(const QDateTime &moment) override;
};

}  // namespace tolvane
