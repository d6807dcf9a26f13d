#pragma once
// A time server on 127.0.0.1 for tests: it answers each SNTP request correctly, or with the
// one fault the test asks for.

#include "core/timesync/SntpPacket.h"

#include <QDateTime>
#include <QNetworkDatagram>
#include <QUdpSocket>
#include <QtEndian>

namespace tolvane::test {

inline const QDateTime kServerTime = QDateTime(QDate(2024, 1, 1), QTime(0, 0, 0), Qt::UTC);

// Answers each request the way the test asks: correctly, or with one thing wrong.
class FakeTimeServer {
public:
    enum class Reply { Valid, WrongOriginate, WrongMode, ZeroTimestamp, Short, FromOtherPort, Silent, Unsynchronised };

    explicit FakeTimeServer(Reply reply) : m_reply(reply)
    {
        m_socket.bind(QHostAddress::LocalHost, 0);
        m_other.bind(QHostAddress::LocalHost, 0);
        QObject::connect(&m_socket, &QUdpSocket::readyRead, [this] { Answer(); });
    }
    quint16 Port() const { return m_socket.localPort(); }
    int requests = 0;

private:
    void Answer()
    {
        while (m_socket.hasPendingDatagrams()) {
            const QNetworkDatagram request = m_socket.receiveDatagram();
            ++requests;
            if (m_reply == Reply::Silent || request.data().size() < 48)
                continue;
            QByteArray reply(48, '\0');
            reply[0] = m_reply == Reply::WrongMode ? 0x0B : 0x0C;  // mode 3 or 4
            if (m_reply == Reply::Unsynchronised)
                reply[0] = char(0xCC);  // leap indicator 3: the server's clock is not synchronised
            reply[1] = 2;                                           // stratum
            const quint64 originate = qFromBigEndian<quint64>(request.data().constData() + 40);
            qToBigEndian<quint64>(m_reply == Reply::WrongOriginate ? originate + 1 : originate, reply.data() + 24);
            const quint64 transmit = m_reply == Reply::ZeroTimestamp
                                         ? 0
                                         : SntpPacket::ToNtpTimestamp(kServerTime.toMSecsSinceEpoch() + 500);
            qToBigEndian<quint64>(transmit, reply.data() + 40);
            if (m_reply == Reply::Short)
                reply.truncate(40);
            QUdpSocket &from = m_reply == Reply::FromOtherPort ? m_other : m_socket;
            from.writeDatagram(reply, request.senderAddress(), request.senderPort());
        }
    }

    Reply m_reply;
    QUdpSocket m_socket;
    QUdpSocket m_other;
};

}  // namespace tolvane::test
