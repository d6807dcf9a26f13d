#pragma once
// The nice values of the encoder process's priority classes.

#include "encoder/protocol/PriorityClass.h"

#include <QtGlobal>

#include <optional>

namespace tolvane {

// The nice value of a priority class; none for a value that is not a class. The real-time
// class gets the high class's value: an encoder must never starve the recording it serves.
std::optional<int> NiceValueOf(qint32 priorityClass);

// Sets this process's nice value for a priority class. An unknown class or a refused change
// only leaves a line on standard error.
void SetPriority(qint32 iPriority);

}  // namespace tolvane
