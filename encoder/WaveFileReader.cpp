#include "WaveFileReader.h"

#include "common/FileError.h"
#include "common/NumberedError.h"
#include "encoder/PcmSamples.h"

#include <QtEndian>

#include <algorithm>

namespace tolvane {

namespace {

const QString kSource = QStringLiteral("SetParameter");
constexpr quint16 kFormatPcm = 1;
constexpr quint16 kFormatExtensible = 0xFFFE;

NumberedError NotReadable(const QString &path, const QString &why)
{
    return NumberedError(ErrNo::TypeMismatch, QStringLiteral("%1: WAVEファイルとして読めません(%2)").arg(path, why),
                         kSource);
}

quint16 U16(const char *p) { return qFromLittleEndian<quint16>(p); }
quint32 U32(const char *p) { return qFromLittleEndian<quint32>(p); }

}  // namespace

WaveFileReader::WaveFileReader(const QString &path) : m_path(path), m_file(path)
{
    if (!m_file.open(QIODevice::ReadOnly)) {
        if (!m_file.exists())
            throw NumberedError(ErrNo::FileNotFound, QStringLiteral("%1: %2").arg(path, m_file.errorString()), kSource);
        throw FileError(m_file, path, kSource);
    }

    const QByteArray riff = m_file.read(12);
    if (riff.size() < 12 || !riff.startsWith("RIFF") || riff.mid(8, 4) != "WAVE")
        throw NotReadable(path, QStringLiteral("RIFF WAVEではありません"));

    bool haveFormat = false;
    for (;;) {
        const QByteArray header = m_file.read(8);
        if (header.size() < 8)
            throw NotReadable(path, haveFormat ? QStringLiteral("dataチャンクがありません")
                                               : QStringLiteral("fmtチャンクがありません"));
        const QByteArray id = header.left(4);
        const quint32 size = U32(header.constData() + 4);
        if (id == "fmt ") {
            // Only the first 40 bytes mean anything to PCM; the rest of a longer chunk is skipped.
            const QByteArray fmt = m_file.read(std::min<quint32>(size, 40));
            if (size < 16 || fmt.size() < 16)
                throw NotReadable(path, QStringLiteral("fmtチャンクが短すぎます"));
            quint16 tag = U16(fmt.constData());
            if (tag == kFormatExtensible && fmt.size() >= 26)
                tag = U16(fmt.constData() + 24);  // the first two bytes of the sub-format GUID
            m_channels = U16(fmt.constData() + 2);
            m_sampleRate = static_cast<qint32>(std::min<quint32>(U32(fmt.constData() + 4), 0x7FFFFFFF));
            m_bits = U16(fmt.constData() + 14);
            if (tag != kFormatPcm || (m_bits != 8 && m_bits != 16) || m_channels < 1 || m_channels > 2
                || m_sampleRate <= 0)
                throw NotReadable(path, QStringLiteral("8bitか16bitのPCM、1か2チャンネルのみ扱えます"));
            haveFormat = true;
            m_file.skip(size - fmt.size() + size % 2);
        } else if (id == "data") {
            if (!haveFormat)
                throw NotReadable(path, QStringLiteral("fmtチャンクがdataチャンクの後にあります"));
            const qint64 available = m_file.size() - m_file.pos();
            qint64 bytes = size;
            if (bytes == 0 || bytes > available)
                bytes = available;
            m_frameCount = bytes / (m_channels * m_bits / 8);
            return;
        } else {
            // Past the end of the file the next header read comes back short.
            m_file.skip(qint64{size} + size % 2);
        }
    }
}

void WaveFileReader::Read(std::vector<qint16> &out, qint64 maxFrames)
{
    const qint64 frames = std::min(maxFrames, m_frameCount - m_framesRead);
    const qint64 bytesPerFrame = m_channels * m_bits / 8;
    out.clear();
    if (frames <= 0)
        return;
    m_raw.resize(frames * bytesPerFrame);
    const qint64 got = m_file.read(m_raw.data(), m_raw.size());
    if (got < 0)
        throw FileError(m_file, m_path, QStringLiteral("EncodeFile"));
    const qint64 framesGot = got / bytesPerFrame;
    // A file that shrank while it was read ends the stream early rather than failing the encode.
    if (framesGot < frames)
        m_frameCount = m_framesRead + framesGot;
    m_framesRead += framesGot;

    PcmToSamples(m_raw, framesGot * m_channels, m_bits, out);
}

double WaveFileReader::Progress() const
{
    return m_frameCount > 0 ? static_cast<double>(m_framesRead) / m_frameCount : 1.0;
}

}  // namespace tolvane
