#include "SntpPacket.h"

#include <QtEndian>

namespace tolvane::SntpPacket {

namespace {
constexpr qint64 kNtpToUnixSeconds = 2208988800LL;
constexpr qint64 kEra = 1LL << 32;
}  // namespace

quint64 ToNtpTimestamp(qint64 msecsSinceEpoch)
{
    const qint64 seconds = msecsSinceEpoch / 1000 + kNtpToUnixSeconds;
    const qint64 ms = msecsSinceEpoch % 1000;
    const quint64 fraction = (static_cast<quint64>(ms) << 32) / 1000;
    return (static_cast<quint64>(seconds) << 32) | (fraction & 0xFFFFFFFFu);
}

qint64 ToMSecsSinceEpoch(quint64 ntpTimestamp)
{
    qint64 seconds = static_cast<qint64>(ntpTimestamp >> 32);
    if (seconds < (1LL << 31))
        seconds += kEra;
    const quint64 fraction = ntpTimestamp & 0xFFFFFFFFu;
    return (seconds - kNtpToUnixSeconds) * 1000 + static_cast<qint64>((fraction * 1000) >> 32);
}

QByteArray BuildRequest(quint64 transmit)
{
    QByteArray request(kSize, '\0');
    request[0] = 0x0B;  // leap indicator 0, version 1, mode 3 (client)
    qToBigEndian<quint64>(transmit, request.data() + 40);
    return request;
}

std::optional<QDateTime> ParseReply(const QByteArray &datagram, quint64 requestTransmit)
{
    if (datagram.size() < kSize)
        return std::nullopt;
    const auto *bytes = reinterpret_cast<const uchar *>(datagram.constData());
    const int leapIndicator = bytes[0] >> 6;
    const int mode = bytes[0] & 0x07;
    const int stratum = bytes[1];
    if (leapIndicator == 3 || mode != 4 || stratum < 1 || stratum > 15)
        return std::nullopt;
    const quint64 originate = qFromBigEndian<quint64>(bytes + 24);
    const quint64 transmit = qFromBigEndian<quint64>(bytes + 40);
    if (originate != requestTransmit || transmit == 0)
        return std::nullopt;
    return QDateTime::fromMSecsSinceEpoch(ToMSecsSinceEpoch(transmit), Qt::UTC);
}

}  // namespace tolvane::SntpPacket
