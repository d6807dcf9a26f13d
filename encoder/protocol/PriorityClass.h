#pragma once
// The priority classes the core names for the encoder process; the server maps them to nice
// values.

#include <QtGlobal>

namespace tolvane {

namespace PriorityClass {
inline constexpr qint32 Normal = 32;
inline constexpr qint32 Idle = 64;
inline constexpr qint32 High = 128;
inline constexpr qint32 Realtime = 256;
inline constexpr qint32 BelowNormal = 16384;
inline constexpr qint32 AboveNormal = 32768;
}  // namespace PriorityClass

}  // namespace tolvane
