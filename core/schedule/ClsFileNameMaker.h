#pragma once
// Expands a file-name template ("\N_\Y\M\D\h\m\s") for one moment and one schedule name.
// The result is the name only: the callers add folder and extension.

#include <QDateTime>
#include <QString>

namespace tolvane::ClsFileNameMaker {

// Date tokens use iBaseDate moved by SecondsAdjustDay (minus the schedule's day start); time
// tokens use iBaseDate itself; the name goes in last, so token text in it stays literal.
QString MakeFileName(const QString &iFileDescribeString, const QString &iScheduleName, const QDateTime &iBaseDate,
                     qint32 SecondsAdjustDay);

}  // namespace tolvane::ClsFileNameMaker
