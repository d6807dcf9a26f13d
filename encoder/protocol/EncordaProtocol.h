#pragma once
// The messages between the core's encoder client and the encorda server, over the server's
// standard input (calls) and standard output (events). A message is a 32-bit big-endian length
// followed by a QDataStream payload whose first byte says which message it is.

#include "encoder/protocol/Mp3EncodeSettings.h"

#include <QByteArray>
#include <QDataStream>
#include <QIODevice>
#include <QtEndian>

#include <optional>

namespace tolvane {

inline QDataStream &operator<<(QDataStream &out, const Mp3EncodeSettings &s)
{
    return out << s.MP3Stereo << s.MP3FileFormat << s.MP3DeleteWavFile << s.MP3VBR << s.MP3VBRQuality
               << s.MP3LimitVBRBitRate << s.MP3VBRMaxBitRate << s.MP3VBRMinBitRate << s.MP3CBRMPEG1BitRate
               << s.MP3CBRMPEG2BitRate << s.MP3NotUsePsy << s.MP3NotUseLPF << s.MP3CustomizeLPF << s.MP3LPFA
               << s.MP3LPFB << s.MP3SetnCPU << s.MP3nCPU << s.MP3SetPriority << s.MP3Priority
               << s.MP3NotUseEnhancedCPU << s.MP3NotUseMMX << s.MP3NotUse3DNow << s.MP3NotUseSSE
               << s.MP3NotUseEnhanced3DNow << s.MP3SetIOFreq << s.MP3InFreq << s.MP3OutFreq << s.MakeID3Tag
               << s.TagTitle << s.TagArtist << s.TagAlbum << s.TagYear << s.TagComment << s.TagGenre;
}

inline QDataStream &operator>>(QDataStream &in, Mp3EncodeSettings &s)
{
    return in >> s.MP3Stereo >> s.MP3FileFormat >> s.MP3DeleteWavFile >> s.MP3VBR >> s.MP3VBRQuality
           >> s.MP3LimitVBRBitRate >> s.MP3VBRMaxBitRate >> s.MP3VBRMinBitRate >> s.MP3CBRMPEG1BitRate
           >> s.MP3CBRMPEG2BitRate >> s.MP3NotUsePsy >> s.MP3NotUseLPF >> s.MP3CustomizeLPF >> s.MP3LPFA
           >> s.MP3LPFB >> s.MP3SetnCPU >> s.MP3nCPU >> s.MP3SetPriority >> s.MP3Priority
           >> s.MP3NotUseEnhancedCPU >> s.MP3NotUseMMX >> s.MP3NotUse3DNow >> s.MP3NotUseSSE
           >> s.MP3NotUseEnhanced3DNow >> s.MP3SetIOFreq >> s.MP3InFreq >> s.MP3OutFreq >> s.MakeID3Tag
           >> s.TagTitle >> s.TagArtist >> s.TagAlbum >> s.TagYear >> s.TagComment >> s.TagGenre;
}

namespace encorda {

// Raised when either side changes a message; the client refuses a server of another version.
inline constexpr quint32 kProtocolVersion = 1;
// Far above the largest message (the client cuts blocks of sound into messages of 2 MiB at
// most); a longer length means the stream is out of step.
inline constexpr quint32 kMaxPayloadBytes = 16u * 1024 * 1024;
inline constexpr QDataStream::Version kStreamVersion = QDataStream::Qt_6_4;

// Client to server; the fields follow the kind in the order given.
enum class Call : quint8 {
    SetParameter = 1,      // QString WavFilePath, qint32 WaveFreq, qint32 nChannel, Mp3EncodeSettings
    SetParameterRealTimeEnc,  // QString FilePath, qint32 nFreq, qint32 nChannel, qint32 nBit, Mp3EncodeSettings
    EncodeFile,            // none
    EncodeRealTime,        // QByteArray: the block's values as signed 16-bit little-endian
    FinishEncodeRealTime,  // none
    SetPriority,           // qint32 priority class
};

// Server to client.
enum class Event : quint8 {
    Ready = 1,     // quint32 protocol version, QString encoder library version
    Files,         // QString working input path, QString output path; sent before either is touched
    Progress,      // double: fraction of the file encode done
    Error,         // qint32 number, QString description, QString source
    FinishEncode,  // none
};

template <typename Kind, typename... Fields>
QByteArray Message(Kind kind, const Fields &...fields)
{
    QByteArray frame(4, '\0');
    {
        QDataStream out(&frame, QIODevice::WriteOnly | QIODevice::Append);
        out.setVersion(kStreamVersion);
        out << static_cast<quint8>(kind);
        ((out << fields), ...);
    }
    qToBigEndian<quint32>(static_cast<quint32>(frame.size() - 4), frame.data());
    return frame;
}

// Cuts the byte stream of one direction into payloads.
class MessageReader {
public:
    void Append(const QByteArray &bytes) { m_buffer.append(bytes); }

    // The next complete payload, if one has arrived. After a length out of range the stream
    // cannot be trusted any more: Broken() turns true and nothing more is returned.
    std::optional<QByteArray> Next()
    {
        if (m_broken || m_buffer.size() < 4)
            return std::nullopt;
        const quint32 length = qFromBigEndian<quint32>(m_buffer.constData());
        if (length == 0 || length > kMaxPayloadBytes) {
            m_broken = true;
            return std::nullopt;
        }
        if (static_cast<quint64>(m_buffer.size()) < 4 + quint64{length})
            return std::nullopt;
        QByteArray payload = m_buffer.mid(4, length);
        m_buffer.remove(0, 4 + length);
        return payload;
    }

    bool Broken() const { return m_broken; }

private:
    QByteArray m_buffer;
    bool m_broken = false;
};

}  // namespace encorda
}  // namespace tolvane
