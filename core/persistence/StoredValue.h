#pragma once
// The text forms of values in the schedule files, written in one form whatever the machine's
// locale: "True"/"False", whole numbers, "." decimals and "hh:mm:ss" times of day. Reading also
// takes the forms the Windows program wrote under the user's locale. Each reader names the
// value it converts (an element, a line), and a failed conversion says which one and why.

#include "core/schedule/TimeOfDay.h"

#include <QString>
#include <QVariant>
#include <QtGlobal>

namespace tolvane::StoredValue {

// "True"/"False" in any letter case, or a number (0 is false). Anything else throws 13.
bool ToBool(const QString &text, const QString &what);
// A whole number, or a decimal number rounded half to even; 13 when not a number, 6 outside 32 bits.
qint32 ToInt32(const QString &text, const QString &what);
// As ToInt32, within 0 to 255.
quint8 ToByte(const QString &text, const QString &what);
// "." decimals; a lone "," is taken as the decimal point of files written under such a locale.
double ToDouble(const QString &text, const QString &what);
// "h:mm:ss" or "h:mm" (one or two digits each), 24-hour, or 12-hour with "AM"/"PM" or
// "午前"/"午後" before or after it ("12:00:00 AM" and "午前 0:00:00" are midnight).
Seconds ToTimeOfDay(const QString &text, const QString &what);
// The silence level text as ClsWave takes it: a number written with a lone decimal comma
// ("-40,5") gets its "." form; anything else is left for the setter to judge.
QString ToNoSounddB(const QString &text);

QString FromBool(bool v);
// The shortest text that reads back to the same double.
QString FromDouble(double v);
QString FromTimeOfDay(Seconds v);
// The silence level as written: its text, or a number's shortest form. An empty level counts as
// 0 dB everywhere it is used, so it is written as "0" to read back as the same level.
QString FromNoSounddB(const QVariant &v);

}  // namespace tolvane::StoredValue
