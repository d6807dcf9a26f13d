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

}  // namespace tolvane
