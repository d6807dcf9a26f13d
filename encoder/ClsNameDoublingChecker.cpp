#include "ClsNameDoublingChecker.h"

#include <QFileInfo>

namespace tolvane {

QString ClsNameDoublingChecker::AdaptFileName(const QString &CheckingPath)
{
    if (!QFileInfo::exists(CheckingPath))
        return CheckingPath;

    const qsizetype nameStart = CheckingPath.lastIndexOf(QLatin1Char('/')) + 1;
    qsizetype dot = CheckingPath.lastIndexOf(QLatin1Char('.'));
    if (dot < nameStart)
        dot = CheckingPath.size();
    const QString base = CheckingPath.left(dot);
    const QString extension = CheckingPath.mid(dot);

    for (qint64 n = 1;; ++n) {
        const QString candidate = QStringLiteral("%1_%2%3").arg(base).arg(n).arg(extension);
        if (!QFileInfo::exists(candidate))
            return candidate;
    }
}

}  // namespace tolvane
