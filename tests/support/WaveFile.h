#pragma once
// Reads a WAVE file back for tests: the 44-byte header's fields as stored, the file's length,
// and the samples after the header.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QtEndian>

#include <vector>

namespace tolvane::test {

struct WaveFile {
    bool read = false;
    qint64 length = 0;
    QByteArray ids;  // "RIFF", "WAVE", "fmt ", "data" as found at their offsets
    quint32 riffSize = 0;
    quint32 formatSize = 0;
    quint16 formatTag = 0;
    quint16 channels = 0;
    quint32 samplesPerSec = 0;
    quint32 avgBytesPerSec = 0;
    quint16 blockAlign = 0;
    quint16 bitsPerSample = 0;
    quint32 dataSize = 0;
    QByteArray data;  // everything after the header

    // Both sizes describe exactly the bytes present.
    bool SizesMatch() const { return read && riffSize == length - 8 && dataSize == length - 44; }

    std::vector<qint16> Samples16() const
    {
        std::vector<qint16> s(size_t(data.size() / 2));
        qFromLittleEndian<qint16>(data.constData(), qsizetype(s.size()), s.data());
        return s;
    }
    std::vector<quint8> Samples8() const { return {data.begin(), data.end()}; }

    // The header and the length only, for files too big to read whole.
    static WaveFile ReadHeader(const QString &path) { return Read(path, 44); }

    static WaveFile Read(const QString &path, qint64 upTo = -1)
    {
        WaveFile w;
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            return w;
        const QByteArray all = upTo < 0 ? f.readAll() : f.read(upTo);
        w.length = f.size();
        if (all.size() < 44)
            return w;
        const char *h = all.constData();
        w.ids = all.mid(0, 4) + all.mid(8, 4) + all.mid(12, 4) + all.mid(36, 4);
        w.riffSize = qFromLittleEndian<quint32>(h + 4);
        w.formatSize = qFromLittleEndian<quint32>(h + 16);
        w.formatTag = qFromLittleEndian<quint16>(h + 20);
        w.channels = qFromLittleEndian<quint16>(h + 22);
        w.samplesPerSec = qFromLittleEndian<quint32>(h + 24);
        w.avgBytesPerSec = qFromLittleEndian<quint32>(h + 28);
        w.blockAlign = qFromLittleEndian<quint16>(h + 32);
        w.bitsPerSample = qFromLittleEndian<quint16>(h + 34);
        w.dataSize = qFromLittleEndian<quint32>(h + 40);
        w.data = all.mid(44);
        w.read = true;
        return w;
    }
};

}  // namespace tolvane::test
