#pragma once
// The activity log writer: appends one line (CR LF) per call to "rec.log", opening and closing
// the file each time so that lines are on disk at once and never interleave.

#include <QString>

namespace tolvane {

class ClsLogSaver {
public:
    const QString &FilePath() const { return m_filePath; }
    void setFilePath(const QString &path) { m_filePath = path; }

    // Throws NumberedError when the file cannot be opened or written.
    void AppendLog(const QString &iData) const;

private:
    QString m_filePath;
};

}  // namespace tolvane
