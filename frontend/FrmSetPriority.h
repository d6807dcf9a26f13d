#pragma once
// Sets the scheduling priority of the whole program at start-up from the user's priority
// choice (0 lowest to 4 highest), as nice values on every thread of the process.

#include <QtGlobal>

#include <functional>

namespace tolvane {

class FrmSetPriority {
public:
    // Sets the nice value of one thread; false when the system refuses.
    using NiceSetter = std::function<bool(qint64 threadId, int nice)>;

    FrmSetPriority();
    explicit FrmSetPriority(NiceSetter setter) : m_setter(std::move(setter)) {}

    // The nice value of a priority index: 19, 10, 0, -5, -10.
    static int NiceOf(qint16 priorityIndex);
    // Applies the index to every thread; false when any of them was refused.
    bool Apply(qint16 priorityIndex) const;

private:
    NiceSetter m_setter;
};

}  // namespace tolvane
