#include "PartFileName.h"

#include <QDir>

#include <algorithm>

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

QString Base(const QString &expanded, const QDateTime &now)
{
    const QString base = Safe(expanded);
    return base.isEmpty() ? now.toString(QStringLiteral("yyyyMMddhhmmss")) : base;
}

Numbered Unique(const QString &folder, const QString &base, qint32 from, const QStringList &extensions,
                const QSet<QString> &alsoTaken)
{
    QSet<QString> taken;
    const QStringList entries = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &entry : entries)
        taken.insert(entry.toLower());

    for (qint32 n = from;; ++n) {
        const QString name = n == 0 ? base : base + QLatin1Char('_') + QString::number(n);
        const QString lower = name.toLower();
        if (!alsoTaken.contains(lower) &&
            std::none_of(extensions.begin(), extensions.end(),
                         [&](const QString &ext) { return taken.contains(lower + ext.toLower()); }))
            return {name, n};
    }
}

}  // namespace tolvane::PartFileName
