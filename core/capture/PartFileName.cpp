#include "PartFileName.h"

#include <QDir>
#include <QSet>

namespace tolvane::PartFileName {

QString Safe(const QString &name)
{
    QString safe = name;
    for (QChar &c : safe) {
        if (c == QLatin1Char('/') || c.category() == QChar::Other_Control)
            c = QLatin1Char('_');
    }
    return safe;
}

Numbered Unique(const QString &folder, const QString &base, qint32 from)
{
    QSet<QString> taken;
    const QStringList entries = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &entry : entries)
        taken.insert(entry.toLower());

    for (qint32 n = from;; ++n) {
        const QString name = n == 0 ? base : base + QLatin1Char('_') + QString::number(n);
        const QString lower = name.toLower();
        if (!taken.contains(lower + QLatin1String(".wav")) && !taken.contains(lower + QLatin1String(".mp3"))
            && !taken.contains(lower + QLatin1String(".rmp")))
            return {name, n};
    }
}

}  // namespace tolvane::PartFileName
