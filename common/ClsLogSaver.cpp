#include "ClsLogSaver.h"

#include "FileError.h"

#include <QFile>

namespace tolvane {

void ClsLogSaver::AppendLog(const QString &iData) const
{
    QFile file(m_filePath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        throw FileError(file, m_filePath, QStringLiteral("ClsLogSaver"));
    const QByteArray line = iData.toUtf8() + "\r\n";
    if (file.write(line) != line.size() || !file.flush())
        throw FileError(file, m_filePath, QStringLiteral("ClsLogSaver"));
    file.close();
}

}  // namespace tolvane
