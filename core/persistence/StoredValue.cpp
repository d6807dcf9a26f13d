#include "StoredValue.h"

#include "common/NumberedError.h"

#include <QLocale>

#include <cmath>
#include <limits>
#include <optional>

namespace tolvane::StoredValue {

namespace {

const QString kSource = QStringLiteral("StoredValue");

NumberedError ConversionError(qint32 number, const QString &text, const QString &what)
{
    return NumberedError(number,
                         QStringLiteral("%1 \"%2\": %3").arg(what, text, NumberedError::StandardDescription(number)),
                         kSource);
}

// A lone "," is the decimal point of a file written under such a locale.
QString WithDecimalPoint(const QString &t)
{
    if (t.count(u',') == 1 && !t.contains(u'.'))
        return QString(t).replace(u',', u'.');
    return t;
}

std::optional<double> Number(const QString &text)
{
    const QString t = text.trimmed();
    bool ok = false;
    double d = t.toDouble(&ok);
    if (!ok)
        d = WithDecimalPoint(t).toDouble(&ok);
    if (!ok)
        return std::nullopt;
    return d;
}

// The 12-hour forms: the marker is cut off and the hour brought onto the 24-hour clock.
std::optional<Seconds> TwelveHourTime(QStringView text)
{
    struct Marker {
        QStringView text;
        bool afternoon;
    };
    static constexpr Marker kMarkers[] = {{u"AM", false}, {u"PM", true}, {u"午前", false}, {u"午後", true}};
    for (const Marker &m : kMarkers) {
        QStringView clock;
        if (text.startsWith(m.text, Qt::CaseInsensitive))
            clock = text.mid(m.text.size());
        else if (text.endsWith(m.text, Qt::CaseInsensitive))
            clock = text.chopped(m.text.size());
        else
            continue;
        const auto t = ParseTimeOfDay(clock);
        const qint64 hour = t ? t->count() / 3600 : 13;
        if (hour > 12)
            return std::nullopt;
        return *t + Seconds(((hour % 12) - hour + (m.afternoon ? 12 : 0)) * 3600);
    }
    return std::nullopt;
}

// A number within [low, high], rounded half to even.
qint64 WholeNumber(const QString &text, const QString &what, qint64 low, qint64 high)
{
    bool ok = false;
    const qint64 whole = text.trimmed().toLongLong(&ok);
    if (ok) {
        if (whole < low || whole > high)
            throw ConversionError(ErrNo::Overflow, text, what);
        return whole;
    }
    const auto d = Number(text);
    if (!d || std::isnan(*d))
        throw ConversionError(ErrNo::TypeMismatch, text, what);
    const double rounded = std::nearbyint(*d);  // the default rounding mode is ties to even
    if (!(rounded >= static_cast<double>(low) && rounded <= static_cast<double>(high)))
        throw ConversionError(ErrNo::Overflow, text, what);
    return static_cast<qint64>(rounded);
}

}  // namespace

bool ToBool(const QString &text, const QString &what)
{
    const QString t = text.trimmed();
    if (t.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (t.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        return false;
    const auto d = Number(t);
    if (!d || std::isnan(*d))
        throw ConversionError(ErrNo::TypeMismatch, text, what);
    return *d != 0;
}

qint32 ToInt32(const QString &text, const QString &what)
{
    return static_cast<qint32>(WholeNumber(text, what, std::numeric_limits<qint32>::min(),
                                           std::numeric_limits<qint32>::max()));
}

quint8 ToByte(const QString &text, const QString &what)
{
    return static_cast<quint8>(WholeNumber(text, what, 0, 255));
}

double ToDouble(const QString &text, const QString &what)
{
    const auto d = Number(text);
    if (!d)
        throw ConversionError(ErrNo::TypeMismatch, text, what);
    return *d;
}

Seconds ToTimeOfDay(const QString &text, const QString &what)
{
    auto t = ParseTimeOfDay(text);
    if (!t)
        t = TwelveHourTime(QStringView(text).trimmed());
    if (!t)
        throw ConversionError(ErrNo::TypeMismatch, text, what);
    return *t;
}

QString ToNoSounddB(const QString &text)
{
    const QString t = text.trimmed();
    bool ok = false;
    (void)t.toDouble(&ok);
    if (ok)
        return text;
    const QString dotted = WithDecimalPoint(t);
    (void)dotted.toDouble(&ok);
    return ok ? dotted : text;
}

QString FromBool(bool v)
{
    return v ? QStringLiteral("True") : QStringLiteral("False");
}

QString FromDouble(double v)
{
    return QString::number(v, 'g', QLocale::FloatingPointShortest);
}

QString FromTimeOfDay(Seconds v)
{
    return FormatTimeOfDay(v);
}

QString FromNoSounddB(const QVariant &v)
{
    if (!v.isValid())
        return QStringLiteral("0");
    if (v.typeId() == QMetaType::QString)
        return v.toString();
    return FromDouble(v.toDouble());
}

}  // namespace tolvane::StoredValue
