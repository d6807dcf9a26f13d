#pragma once
// The priority classes a caller names for the encoder process, and the nice values they map to.

#include <QtGlobal>

#include <optional>

namespace tolvane {

namespace PriorityClass {
inline constexpr qint32 Normal = 32;
inline constexpr qint32 Idle = 64;
inline constexpr qint32 High = 128;
inline constexpr qint32 Realtime = 256;
inline constexpr qint32 BelowNormal = 16384;
inline constexpr qint32 AboveNormal = 32768;
}  // namespace PriorityClass

// The nice value of a priority class; none for a value that is not a class. The real-time
// class gets the high class's value: an encoder must never starve the recording it serves.
std::optional<int> NiceValueOf(qint32 priorityClass);

// Sets this process's nice value for a priority class. An unknown class or a refused change
// only leaves a line on standard error.
void SetPriority(qint32 iPriority);

}  // namespace tolvane
