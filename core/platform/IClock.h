#pragma once
// Every reading of "now" in the core goes through this clock, so that the timetable can be
// driven by a simulated clock in tests.

#include <QDateTime>

#include <utility>

namespace tolvane {

class IClock {
public:
    virtual ~IClock() = default;
    // The current local date and time.
    virtual QDateTime Now() const = 0;
};

class SystemClock final : public IClock {
public:
    QDateTime Now() const override { return QDateTime::currentDateTime(); }
};

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

}  // namespace tolvane
