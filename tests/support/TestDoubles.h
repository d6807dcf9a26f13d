#pragma once
// Stand-ins for the platform services in tests: a clock that moves only when told, a tick fired
// by hand, and power, programs, clock setting and the wake alarm that only remember what they
// were asked.

#include "core/platform/IClock.h"
#include "core/platform/IClockSetter.h"
#include "core/platform/IPower.h"
#include "core/platform/IShellLauncher.h"
#include "core/platform/ITickTimer.h"
#include "core/platform/IWakeAlarm.h"

#include <QDateTime>
#include <QString>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace tolvane {

// A clock that stands still until it is set or advanced.
class SimulatedClock final : public IClock {
public:
    explicit SimulatedClock(QDateTime now) : m_now(std::move(now)) {}
    QDateTime Now() const override { return m_now; }
    void Set(const QDateTime &now) { m_now = now; }
    void AdvanceMs(qint64 ms) { m_now = m_now.addMSecs(ms); }

private:
    QDateTime m_now;
};

// Moves a simulated clock.
class SimulatedClockSetter final : public IClockSetter {
public:
    explicit SimulatedClockSetter(std::shared_ptr<SimulatedClock> clock) : m_clock(std::move(clock)) {}
    void SetTime(const QDateTime &moment) override
    {
        ++calls;
        m_clock->Set(moment.toLocalTime());
    }
    int calls = 0;

private:
    std::shared_ptr<SimulatedClock> m_clock;
};

// A timer that never fires by itself: Fire() runs one tick.
class ManualTickTimer final : public ITickTimer {
public:
    void Start(std::chrono::milliseconds interval, std::function<void()> onTick) override
    {
        m_interval = interval;
        m_onTick = std::move(onTick);
    }
    void Stop() override { m_onTick = nullptr; }
    bool Running() const { return static_cast<bool>(m_onTick); }
    std::chrono::milliseconds Interval() const { return m_interval; }
    void Fire()
    {
        if (m_onTick)
            m_onTick();
    }

private:
    std::chrono::milliseconds m_interval{0};
    std::function<void()> m_onTick;
};

// Does nothing but remember what was asked, in order.
class RecordingPower final : public IPower {
public:
    enum class Action { Hibernate, PowerOff };
    void Hibernate() override { actions.push_back(Action::Hibernate); }
    void PowerOff() override { actions.push_back(Action::PowerOff); }
    std::vector<Action> actions;
};

// Records the paths and answers with a fixed result per path (Started by default).
class RecordingShellLauncher final : public IShellLauncher {
public:
    int Execute(const QString &path) override
    {
        started.push_back(path);
        return path == refusedPath ? ShellResult::AccessDenied : ShellResult::Started;
    }
    std::vector<QString> started;
    QString refusedPath;
};

// Remembers what it was asked.
class RecordingWakeAlarm final : public IWakeAlarm {
public:
    void Arm(const QDateTime &moment) override
    {
        armed = moment;
    }
    void Disarm() override
    {
        armed.reset();
    }
    std::optional<QDateTime> armed;
};

}  // namespace tolvane
