#pragma once
// Small text-file reader and writer. Reading accepts UTF-8 and, for files written by the old
// Windows program, CP932; writing produces UTF-8. Lines end in CR LF, LF or CR.

#include <QFile>
#include <QString>
#include <QStringList>

#include <memory>

namespace tolvane {

class ClsTextSaveLoad {
public:
    enum IOMode { ForReading = 1, ForWriting = 2, ForAppending = 8 };

    // Writes iData unchanged (no line end added) in the given mode, creating the file if missing.
    void Save(const QString &iData, const QString &iFilePath, int iIOmode);

    // Opens the file for reading (a missing file is created empty) and keeps it open.
    void OpenLoadFile(const QString &Fileaddress);

    QString LoadAll(const QString &Fileaddress);

    // Every line, indexed from 0; an empty file gives one empty line.
    QStringList LoadEveryLine(const QString &Fileaddress);

    // Splits decoded text into lines the way LoadEveryLine does.
    static QStringList SplitLines(const QString &text);

private:
    QString ReadOpenFile();

    std::unique_ptr<QFile> m_stream;
};

}  // namespace tolvane
