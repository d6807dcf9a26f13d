#include "Mp3OutputFile.h"

#include "common/FileError.h"
#include "common/FileWrite.h"

#include <QtEndian>

#include <algorithm>
#include <cerrno>

namespace tolvane {

namespace {

const QString kSource = QStringLiteral("Encorda");
constexpr quint16 kFormatMpegLayer3 = 0x55;
constexpr qint64 kWaveHeaderBytes = 70;
constexpr qint64 kRmpHeaderBytes = 20;

void Put16(QByteArray &b, qint64 at, qint64 v) { qToLittleEndian<quint16>(static_cast<quint16>(std::clamp<qint64>(v, 0, 0xFFFF)), b.data() + at); }
void Put32(QByteArray &b, qint64 at, qint64 v) { qToLittleEndian<quint32>(static_cast<quint32>(std::clamp<qint64>(v, 0, 0xFFFFFFFF)), b.data() + at); }

}  // namespace

QString Mp3OutputFile::Extension(qint32 format)
{
    switch (format) {
    case RiffWave: return QStringLiteral("mp3.wav");
    case RiffRmp: return QStringLiteral("rmp");
    default: return QStringLiteral("mp3");
    }
}

Mp3OutputFile::Mp3OutputFile(const QString &path, qint32 format, const Stream &stream, const QByteArray &id3v2Tag)
    : m_path(path), m_file(path), m_format(format == RiffWave || format == RiffRmp ? format : Mp3), m_stream(stream)
{
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered))
        throw FileError(m_file, path, kSource);
    const QByteArray head = m_format != Mp3 ? RiffHeader(0) : id3v2Tag;
    m_streamStart = head.size();
    if (!head.isEmpty()) {
        Write(head.constData(), head.size());
        Flush();
    }
}

QByteArray Mp3OutputFile::RiffHeader(qint64 frames) const
{
    const qint64 headerBytes = m_format == RiffWave ? kWaveHeaderBytes : kRmpHeaderBytes;
    QByteArray h(headerBytes, '\0');
    h.replace(0, 4, "RIFF");
    Put32(h, 4, headerBytes - 8 + m_streamBytes + m_trailerBytes);
    if (m_format == RiffRmp) {
        h.replace(8, 4, "RMP3");
        h.replace(12, 4, "data");
        Put32(h, 16, m_streamBytes);
        return h;
    }

    const qint64 samples = frames * m_stream.samplesPerFrame;
    const qint64 bytesPerSecond = m_stream.cbrKbps > 0 ? m_stream.cbrKbps * 1000 / 8
                                  : samples > 0       ? m_streamBytes * m_stream.sampleRate / samples
                                                      : 0;
    h.replace(8, 4, "WAVE");
    h.replace(12, 4, "fmt ");
    Put32(h, 16, 30);
    Put16(h, 20, kFormatMpegLayer3);
    Put16(h, 22, m_stream.channels);
    Put32(h, 24, m_stream.sampleRate);
    Put32(h, 28, bytesPerSecond);
    Put16(h, 32, 1);   // block align
    Put16(h, 34, 0);   // bits per sample
    Put16(h, 36, 12);  // extra bytes that follow
    Put16(h, 38, 1);   // MPEG audio
    Put32(h, 40, 0);   // padding as ISO 11172 sets it
    Put16(h, 44, m_stream.sampleRate > 0 ? m_stream.samplesPerFrame * bytesPerSecond / m_stream.sampleRate : 0);
    Put16(h, 46, 1);   // frames per block
    Put16(h, 48, m_stream.encoderDelay);
    h.replace(50, 4, "fact");
    Put32(h, 54, 4);
    Put32(h, 58, samples);
    h.replace(62, 4, "data");
    Put32(h, 66, m_streamBytes);
    return h;
}

void Mp3OutputFile::Append(const unsigned char *data, qsizetype size, qint64 frames)
{
    if (size <= 0)
        return;
    Write(reinterpret_cast<const char *>(data), size);
    m_streamBytes += size;
    if (m_format != Mp3)
        WriteAt(0, RiffHeader(frames));
    Flush();
}

void Mp3OutputFile::Finish(const QByteArray &firstFrame, const QByteArray &id3Tag, qint64 frames)
{
    if (!firstFrame.isEmpty() && firstFrame.size() <= m_streamBytes)
        WriteAt(m_streamStart, firstFrame);

    if (m_format == Mp3) {
        Write(id3Tag.constData(), id3Tag.size());
    } else {
        QByteArray trailer;
        if (m_streamBytes % 2)
            trailer.append('\0');  // chunks start on even offsets
        if (!id3Tag.isEmpty()) {
            QByteArray chunk("id3 \0\0\0\0", 8);
            Put32(chunk, 4, id3Tag.size());
            trailer += chunk + id3Tag;
        }
        Write(trailer.constData(), trailer.size());
        m_trailerBytes = trailer.size();
        WriteAt(0, RiffHeader(frames));
    }
    Flush();
    m_file.close();
}

void Mp3OutputFile::Close()
{
    m_file.close();
}

void Mp3OutputFile::Discard()
{
    m_file.close();
    QFile::remove(m_path);
}

// The file is unbuffered, so a positioned write goes straight past what QFile has written.
void Mp3OutputFile::WriteAt(qint64 position, const QByteArray &bytes)
{
    if (!WriteAllAt(m_file.handle(), bytes.constData(), bytes.size(), position))
        throw FileError(errno, m_path, kSource);
}

void Mp3OutputFile::Write(const char *data, qsizetype size)
{
    if (size > 0 && m_file.write(data, size) != size)
        throw FileError(m_file, m_path, kSource);
}

void Mp3OutputFile::Flush()
{
    if (!m_file.flush())
        throw FileError(m_file, m_path, kSource);
}

}  // namespace tolvane
