#pragma once
// The source of the controller's periodic tick. The program uses a timer aligned to the wall
// clock; tests fire the tick themselves.

#include <chrono>
#include <functional>

namespace tolvane {

class ITickTimer {
public:
    virtual ~ITickTimer() = default;
    // Calls onTick every `interval` from now on, until Stop or destruction.
    virtual void Start(std::chrono::milliseconds interval, std::function<void()> onTick) = 0;
    virtual void Stop() = 0;
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

}  // namespace tolvane
