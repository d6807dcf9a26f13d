#pragma once
// The system's general date-and-time text, "yyyy/MM/dd H:mm:ss", whatever the machine's locale.

#include <QDateTime>
#include <QString>

namespace tolvane {

QString GeneralDateTimeText(const QDateTime &moment);

}  // namespace tolvane
