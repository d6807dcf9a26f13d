#include "WaveHeaderRepair.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>

namespace tolvane {

namespace {

constexpr qint64 kHeaderBytes = 44;
// The recorder never writes a file this large, and the sizes would not fit its header.
constexpr qint64 kLimit = qint64(1) << 31;

bool WriteAt(QFile &file, qint64 offset, const QByteArray &bytes)
{
    return file.seek(offset) && file.write(bytes) == bytes.size();
}

QByteArray Le32(qint64 v)
{
    QByteArray b(4, '\0');
    qToLittleEndian(quint32(v), b.data());
    return b;
}

}  // namespace

RepairResult RepairWaveHeader(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite | QIODevice::ExistingOnly))  // never creates or truncates
        return QFileInfo(path).isFile() ? RepairResult::CannotWrite : RepairResult::NotFound;
    const qint64 length = file.size();
    if (length >= kLimit)
        return RepairResult::TooLarge;
    // Rewriting offsets 36 to 43 is right only for the recorder's layout: RIFF, WAVE and a
    // 16-byte format chunk right after them.
    const QByteArray head = file.read(20);
    if (length < kHeaderBytes || !head.startsWith("RIFF") || head.mid(8, 8) != "WAVEfmt "
        || qFromLittleEndian<quint32>(head.constData() + 16) != 16)
        return RepairResult::NotRecorderWave;

    if (!WriteAt(file, 4, Le32(length - 8)) || !WriteAt(file, 36, "data" + Le32(length - kHeaderBytes))
        || !file.flush())
        return RepairResult::CannotWrite;
    file.close();
    return file.error() == QFileDevice::NoError ? RepairResult::Written : RepairResult::CannotWrite;
}

QString RepairMessage(RepairResult result)
{
    switch (result) {
    case RepairResult::Written: return QStringLiteral("書き込みました");
    case RepairResult::CannotWrite: return QStringLiteral("他のアプリケーションでファイルが開いているため書き込めません");
    case RepairResult::NotRecorderWave:
        return QStringLiteral("ヘッダが44バイトのWaveファイルではないため書き込めません");
    case RepairResult::TooLarge: return QStringLiteral("2GB以上のファイルには書き込めません");
    case RepairResult::NotFound: return QStringLiteral("ファイルが見つかりません");
    }
    return {};
}

QString RepairQuestion(const QString &path) { return path + QStringLiteral("の内容を書き換えます。よろしいですか?"); }

}  // namespace tolvane
