#include "ClsTextSaveLoad.h"

#include "FileError.h"
#include "NumberedError.h"
#include "TextCodec.h"

namespace tolvane {

namespace {
const QString kSource = QStringLiteral("ClsTextSaveLoad");
}

void ClsTextSaveLoad::Save(const QString &iData, const QString &iFilePath, int iIOmode)
{
    QIODevice::OpenMode mode;
    switch (iIOmode) {
    case ForWriting: mode = QIODevice::WriteOnly | QIODevice::Truncate; break;
    case ForAppending: mode = QIODevice::WriteOnly | QIODevice::Append; break;
    default: throw NumberedError::Standard(ErrNo::BadFileMode, kSource);
    }
    QFile file(iFilePath);
    if (!file.open(mode))
        throw FileError(file, iFilePath, kSource);
    const QByteArray bytes = iData.toUtf8();
    if (file.write(bytes) != bytes.size() || !file.flush())
        throw FileError(file, iFilePath, kSource);
}

void ClsTextSaveLoad::OpenLoadFile(const QString &Fileaddress)
{
    m_stream.reset();
    auto file = std::make_unique<QFile>(Fileaddress);
    if (!file->exists()) {
        // The old program created a missing file on reading; keep that.
        if (!file->open(QIODevice::WriteOnly))
            throw FileError(*file, Fileaddress, kSource);
        file->close();
    }
    if (!file->open(QIODevice::ReadOnly))
        throw FileError(*file, Fileaddress, kSource);
    m_stream = std::move(file);
}

QString ClsTextSaveLoad::ReadOpenFile()
{
    const QByteArray bytes = m_stream->readAll();
    const bool failed = m_stream->error() != QFileDevice::NoError;
    if (failed) {
        const NumberedError error = FileError(*m_stream, m_stream->fileName(), kSource);
        m_stream.reset();
        throw error;
    }
    m_stream.reset();
    return TextCodec::DecodeUtf8OrCp932(bytes);
}

QString ClsTextSaveLoad::LoadAll(const QString &Fileaddress)
{
    OpenLoadFile(Fileaddress);
    return ReadOpenFile();
}

QStringList ClsTextSaveLoad::LoadEveryLine(const QString &Fileaddress)
{
    OpenLoadFile(Fileaddress);
    return SplitLines(ReadOpenFile());
}

QStringList ClsTextSaveLoad::SplitLines(const QString &text)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c != u'\r' && c != u'\n')
            continue;
        lines.append(text.mid(start, i - start));
        if (c == u'\r' && i + 1 < n && text.at(i + 1) == u'\n')
            ++i;
        start = i + 1;
    }
    // The last line may lack its line end; a final line end does not start an empty line.
    if (start < n || lines.isEmpty())
        lines.append(text.mid(start));
    return lines;
}

}  // namespace tolvane
