#pragma once
// Every reading of "now" in the core goes through this clock, so that the timetable can be
// driven by a simulated clock in tests.

#include <QDateTime>


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

}  // namespace tolvane
