#include "DateTimeText.h"

namespace tolvane {

QString GeneralDateTimeText(const QDateTime &moment)
{
    // QDateTime::toString with a format is locale-independent for numeric fields.
    return moment.toString(QStringLiteral("yyyy/MM/dd H:mm:ss"));
}

}  // namespace tolvane
