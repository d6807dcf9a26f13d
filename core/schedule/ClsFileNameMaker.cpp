#include "ClsFileNameMaker.h"

namespace tolvane::ClsFileNameMaker {

QString MakeFileName(const QString &iFileDescribeString, const QString &iScheduleName, const QDateTime &iBaseDate,
                     qint32 SecondsAdjustDay)
{
    const QDate a = iBaseDate.addSecs(SecondsAdjustDay).date();
    const QTime t = iBaseDate.time();
    const auto two = [](int v) { return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0')); };

    QString result = iFileDescribeString;
    result.replace(QStringLiteral("\\Y"), QStringLiteral("%1").arg(a.year(), 4, 10, QLatin1Char('0')));
    result.replace(QStringLiteral("\\M"), two(a.month()));
    result.replace(QStringLiteral("\\D"), two(a.day()));
    result.replace(QStringLiteral("/Y"), two(a.year() % 100));
    result.replace(QStringLiteral("/M"), QString::number(a.month()));
    result.replace(QStringLiteral("/D"), QString::number(a.day()));
    result.replace(QStringLiteral("\\h"), two(t.hour()));
    result.replace(QStringLiteral("\\m"), two(t.minute()));
    result.replace(QStringLiteral("\\s"), two(t.second()));
    result.replace(QStringLiteral("\\N"), iScheduleName);
    return result;
}

}  // namespace tolvane::ClsFileNameMaker
