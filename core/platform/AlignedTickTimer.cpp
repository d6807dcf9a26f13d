#include "AlignedTickTimer.h"

#include <QDateTime>

namespace tolvane {

AlignedTickTimer::AlignedTickTimer()
{
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        // Re-arm first: a tick may run the event loop, and the next boundary must not be missed.
        ScheduleNext();
        if (m_onTick)
            m_onTick();
    });
}

void AlignedTickTimer::Start(std::chrono::milliseconds interval, std::function<void()> onTick)
{
    m_interval = interval.count() > 0 ? interval : std::chrono::milliseconds(100);
    m_onTick = std::move(onTick);
    ScheduleNext();
}

void AlignedTickTimer::Stop()
{
    m_timer.stop();
    m_onTick = nullptr;
}

void AlignedTickTimer::ScheduleNext()
{
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    const qint64 step = m_interval.count();
    // A couple of milliseconds past the boundary, so the tick never lands just before it.
    qint64 wait = step - (now % step) + 2;
    if (wait > step)
        wait -= step;
    m_timer.start(static_cast<int>(wait));
}

}  // namespace tolvane
