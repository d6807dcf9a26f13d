// Arbitrary datagrams through the check a time server's reply must pass. The first eight bytes
// of the input are the transmit timestamp our request carried, the rest is the datagram.

#include "core/timesync/SntpPacket.h"

#include <QtEndian>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 8)
        return 0;
    const quint64 requestTransmit = qFromBigEndian<quint64>(data);
    const QByteArray datagram(reinterpret_cast<const char *>(data + 8), static_cast<qsizetype>(size - 8));
    if (const auto time = tolvane::SntpPacket::ParseReply(datagram, requestTransmit)) {
        // Only a reply long enough, from a synchronised server, echoing our timestamp, can give a time.
        if (datagram.size() < 48 || (static_cast<uint8_t>(datagram[0]) & 7) != 4 ||
            (static_cast<uint8_t>(datagram[0]) >> 6) == 3 ||
            qFromBigEndian<quint64>(datagram.constData() + 24) != requestTransmit || !time->isValid())
            __builtin_trap();
    }
    return 0;
}
