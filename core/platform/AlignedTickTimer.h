#pragma once
// Fires on the wall clock's interval boundaries (every 100 ms at .000, .100, ...), so that a
// tick falls within a few milliseconds after each new second.

#include "ITickTimer.h"

#include <QObject>
#include <QTimer>

namespace tolvane {

class AlignedTickTimer final : public QObject, public ITickTimer {
    Q_OBJECT
public:
    AlignedTickTimer();
    void Start(std::chrono::milliseconds interval, std::function<void()> onTick) override;
    void Stop() override;

private:
    void ScheduleNext();

    QTimer m_timer;
    std::chrono::milliseconds m_interval{100};
    std::function<void()> m_onTick;
};

}  // namespace tolvane
