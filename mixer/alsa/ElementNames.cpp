#include "ElementNames.h"

#include <QStringList>

namespace tolvane::ElementNames {

QString FieldText(const QByteArray &field)
{
    const qsizetype end = field.indexOf('\0');
    return QString::fromUtf8(end < 0 ? field : field.left(end));
}

Placement PlacementOf(const QString &elementName, bool captureSelector)
{
    if (captureSelector)
        return {Side::Capture, {}};
    QStringList words = elementName.split(u' ', Qt::SkipEmptyParts);
    static const QStringList functions = {QStringLiteral("Switch"), QStringLiteral("Volume"), QStringLiteral("Route")};
    if (!words.isEmpty() && functions.contains(words.last()))
        words.removeLast();
    Side side = Side::Playback;
    if (!words.isEmpty() && words.last() == QLatin1String("Capture")) {
        side = Side::Capture;
        words.removeLast();
    } else if (!words.isEmpty() && words.last() == QLatin1String("Playback")) {
        words.removeLast();
    }
    QString line = words.join(u' ');
    if (side == Side::Playback && line == QLatin1String("Master"))
        line.clear();
    return {side, line};
}

bool IsCaptureSelector(const QString &elementName)
{
    static const char *const endings[] = {"Capture Source", "Input Source", "Capture Select",
                                          "Input Select",   "Capture Mux",  "Input Mux"};
    for (const char *ending : endings) {
        if (elementName.endsWith(QLatin1String(ending), Qt::CaseInsensitive))
            return true;
    }
    return false;
}

}  // namespace tolvane::ElementNames
