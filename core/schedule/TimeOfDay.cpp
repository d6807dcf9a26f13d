#include "TimeOfDay.h"

namespace tolvane {

std::optional<Seconds> ParseTimeOfDay(QStringView text)
{
    text = text.trimmed();
    int fields[3] = {0, 0, 0};
    int count = 0;
    int digits = 0;
    for (const QChar c : text) {
        if (c == u':') {
            if (digits == 0 || count == 2)
                return std::nullopt;
            ++count;
            digits = 0;
        } else if (c >= u'0' && c <= u'9') {
            if (++digits > 2)
                return std::nullopt;
            fields[count] = fields[count] * 10 + (c.unicode() - u'0');
        } else {
            return std::nullopt;
        }
    }
    if (digits == 0 || count == 0)
        return std::nullopt;
    if (fields[0] > 23 || fields[1] > 59 || fields[2] > 59)
        return std::nullopt;
    return Seconds(fields[0] * 3600 + fields[1] * 60 + fields[2]);
}

QString FormatTimeOfDay(Seconds s)
{
    const qint64 t = WrapDay(s).count();
    return QStringLiteral("%1:%2:%3")
        .arg(t / 3600, 2, 10, QLatin1Char('0'))
        .arg(t / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(t % 60, 2, 10, QLatin1Char('0'));
}

}  // namespace tolvane
