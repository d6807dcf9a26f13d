#pragma once
// The sizes and durations in the header of an ASF file that is still growing. Brought up to
// date as data packets reach the file, they let a file cut off by a crash or a power loss read
// as a finished one: an audio-only ASF file needs no index, only a header that agrees with
// the packets present.

#include <QByteArray>
#include <QtGlobal>

namespace tolvane {

class AsfLiveHeader {
public:
    // Takes the file's first bytes as the muxer wrote them before any data packet: the header
    // object, then the data object's own header. Throws NumberedError 5 when they are not laid
    // out so, or describe packets of varying size or a broadcast.
    explicit AsfLiveHeader(QByteArray start);

    // The offset of the first data packet, and the size of every packet.
    qint64 DataStart() const { return m_bytes.size(); }
    qint32 PacketSize() const { return m_packetSize; }

    // Counts `packets` data packets holding `duration` (100 ns units) of sound, and returns the
    // bytes to write at Offset() for that: the header from the file size field of the file
    // properties to the packet count of the data object, the fields between unchanged.
    QByteArray Update(qint64 packets, qint64 duration);
    qint64 Offset() const { return m_filePropertiesAt + kFileSize; }

private:
    static constexpr qint64 kFileSize = 40, kPackets = 56, kPlayDuration = 64, kSendDuration = 72, kPreroll = 80,
                            kFlags = 88, kMinPacketSize = 92, kMaxPacketSize = 96;
    static constexpr qint64 kDataObjectSize = 16, kDataPackets = 40, kDataHeaderBytes = 50;

    QByteArray m_bytes;
    qint64 m_filePropertiesAt = -1;
    qint64 m_dataAt = 0;
    qint32 m_packetSize = 0;
    qint64 m_preroll = 0;  // milliseconds
};

}  // namespace tolvane
