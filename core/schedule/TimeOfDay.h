#pragma once
// Times of day as whole seconds since midnight, and their one text form "hh:mm:ss".

#include <QDateTime>
#include <QString>
#include <QStringView>

#include <chrono>
#include <optional>

namespace tolvane {

using Seconds = std::chrono::seconds;
inline constexpr Seconds kDay{86400};

// Brings any number of seconds onto the clock face, 0 to 86399.
constexpr Seconds WrapDay(Seconds s)
{
    const auto r = s.count() % kDay.count();
    return Seconds(r < 0 ? r + kDay.count() : r);
}

// The time of day of a moment on the local wall clock, in whole seconds.
inline Seconds SecondsOfDay(const QDateTime &moment)
{
    return Seconds(moment.time().msecsSinceStartOfDay() / 1000);
}

// Integer division rounding towards minus infinity (days before a reference day count negative).
constexpr qint64 FloorDiv(qint64 a, qint64 b)
{
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

// Reads "h:mm:ss" or "h:mm" with one or two digits per field (hours 0 to 23); nothing else.
std::optional<Seconds> ParseTimeOfDay(QStringView text);

// "hh:mm:ss" of the time on the clock face.
QString FormatTimeOfDay(Seconds s);

}  // namespace tolvane
