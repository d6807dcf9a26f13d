#pragma once
// The 48-byte SNTP request and the checks a reply must pass before its time is believed.

#include <QByteArray>
#include <QDateTime>

#include <optional>

namespace tolvane::SntpPacket {

inline constexpr int kSize = 48;

// NTP timestamp (seconds since 1900 in the high 32 bits, fraction in the low 32) of a moment.
quint64 ToNtpTimestamp(qint64 msecsSinceEpoch);
// The moment of an NTP timestamp; seconds below 2^31 belong to the era after 2036.
qint64 ToMSecsSinceEpoch(quint64 ntpTimestamp);

// A client request (version 1, mode 3) whose transmit timestamp is `transmit`; the server
// echoes it as the reply's originate timestamp, which ties the reply to this request.
QByteArray BuildRequest(quint64 transmit);

// The server's transmit time, when the datagram is a server reply (mode 4) to the request with
// transmit timestamp `requestTransmit`, from a synchronised server (stratum 1 to 15, and not the
// leap indicator 3 of a clock that is not synchronised), with a non-zero transmit timestamp;
// otherwise nothing.
std::optional<QDateTime> ParseReply(const QByteArray &datagram, quint64 requestTransmit);

}  // namespace tolvane::SntpPacket
