#include "AsfLiveHeader.h"

#include "common/NumberedError.h"

#include <QtEndian>

#include <cstring>

namespace tolvane {

namespace {

const QString kSource = QStringLiteral("AsfLiveHeader");

// Object identifiers as they lie in the file (the first three groups little-endian).
constexpr unsigned char kHeaderObject[16] = {0x30, 0x26, 0xB2, 0x75, 0x8E, 0x66, 0xCF, 0x11,
                                             0xA6, 0xD9, 0x00, 0xAA, 0x00, 0x62, 0xCE, 0x6C};
constexpr unsigned char kFilePropertiesObject[16] = {0xA1, 0xDC, 0xAB, 0x8C, 0x47, 0xA9, 0xCF, 0x11,
                                                     0x8E, 0xE4, 0x00, 0xC0, 0x0C, 0x20, 0x53, 0x65};
constexpr unsigned char kDataObject[16] = {0x36, 0x26, 0xB2, 0x75, 0x8E, 0x66, 0xCF, 0x11,
                                           0xA6, 0xD9, 0x00, 0xAA, 0x00, 0x62, 0xCE, 0x6C};
constexpr qint64 kObjectHeaderBytes = 24;  // identifier and size
constexpr qint64 kHeaderObjectBytes = 30;  // and the count of objects and two reserved bytes
constexpr qint64 kFilePropertiesBytes = 104;

[[noreturn]] void Unexpected(const QString &what)
{
    throw NumberedError(ErrNo::InvalidProcedureCall, QStringLiteral("unexpected ASF header: %1").arg(what), kSource);
}

bool IsObject(const QByteArray &bytes, qint64 at, const unsigned char (&id)[16])
{
    return at + 16 <= bytes.size() && std::memcmp(bytes.constData() + at, id, 16) == 0;
}

quint64 Get64(const QByteArray &bytes, qint64 at) { return qFromLittleEndian<quint64>(bytes.constData() + at); }
quint32 Get32(const QByteArray &bytes, qint64 at) { return qFromLittleEndian<quint32>(bytes.constData() + at); }
void Put64(QByteArray &bytes, qint64 at, quint64 v) { qToLittleEndian(v, bytes.data() + at); }

}  // namespace

AsfLiveHeader::AsfLiveHeader(QByteArray start) : m_bytes(std::move(start))
{
    if (!IsObject(m_bytes, 0, kHeaderObject) || m_bytes.size() < kHeaderObjectBytes)
        Unexpected(QStringLiteral("no header object"));
    const quint64 headerSize = Get64(m_bytes, 16);
    if (headerSize + kDataHeaderBytes != quint64(m_bytes.size()))
        Unexpected(QStringLiteral("the data object does not follow the header"));
    m_dataAt = qint64(headerSize);
    if (!IsObject(m_bytes, m_dataAt, kDataObject))
        Unexpected(QStringLiteral("no data object"));

    for (qint64 at = kHeaderObjectBytes; at + kObjectHeaderBytes <= m_dataAt;) {
        const quint64 size = Get64(m_bytes, at + 16);
        if (size < quint64(kObjectHeaderBytes) || size > quint64(m_dataAt - at))
            Unexpected(QStringLiteral("an object of size %1 at %2").arg(size).arg(at));
        if (IsObject(m_bytes, at, kFilePropertiesObject) && size >= quint64(kFilePropertiesBytes))
            m_filePropertiesAt = at;
        at += qint64(size);
    }
    if (m_filePropertiesAt < 0)
        Unexpected(QStringLiteral("no file properties"));
    const quint32 minPacket = Get32(m_bytes, m_filePropertiesAt + kMinPacketSize);
    const quint32 maxPacket = Get32(m_bytes, m_filePropertiesAt + kMaxPacketSize);
    if (minPacket != maxPacket || minPacket == 0 || minPacket > (1u << 20))
        Unexpected(QStringLiteral("packets of %1 to %2 bytes").arg(minPacket).arg(maxPacket));
    if (Get32(m_bytes, m_filePropertiesAt + kFlags) & 1)
        Unexpected(QStringLiteral("a broadcast"));
    m_packetSize = qint32(minPacket);
    m_preroll = qint64(Get64(m_bytes, m_filePropertiesAt + kPreroll));
}

QByteArray AsfLiveHeader::Update(qint64 packets, qint64 duration)
{
    const qint64 data = packets * m_packetSize;
    const qint64 fp = m_filePropertiesAt;
    Put64(m_bytes, fp + kFileSize, quint64(DataStart() + data));
    Put64(m_bytes, fp + kPackets, quint64(packets));
    Put64(m_bytes, fp + kPlayDuration, quint64(duration + m_preroll * 10000));
    Put64(m_bytes, fp + kSendDuration, quint64(duration));
    Put64(m_bytes, m_dataAt + kDataObjectSize, quint64(kDataHeaderBytes + data));
    Put64(m_bytes, m_dataAt + kDataPackets, quint64(packets));
    return m_bytes.mid(Offset(), m_dataAt + kDataPackets + 8 - Offset());
}

}  // namespace tolvane
