#include "ClsNTP.h"

#include "core/platform/IClock.h"
#include "core/timesync/SntpPacket.h"

#include <QHostInfo>
#include <QNetworkDatagram>

namespace tolvane {

TimeServerAddress ParseTimeServer(const QString &text)
{
    TimeServerAddress server{text.trimmed()};
    const qsizetype colon = server.host.lastIndexOf(QLatin1Char(':'));
    if (colon > 0 && server.host.indexOf(QLatin1Char(':')) == colon) {
        bool ok = false;
        const uint port = server.host.mid(colon + 1).toUInt(&ok);
        if (ok && port > 0 && port <= 65535) {
            server.port = static_cast<quint16>(port);
            server.host.truncate(colon);
        }
    }
    return server;
}

HostLookup SystemHostLookup()
{
    return [](const QString &name, QObject *context, std::function<void(const QList<QHostAddress> &)> done) {
        QHostInfo::lookupHost(name, context, [done = std::move(done)](const QHostInfo &info) { done(info.addresses()); });
    };
}

ClsNTP::ClsNTP(std::shared_ptr<IClock> clock, HostLookup lookup, QObject *parent)
    : QObject(parent), m_clock(std::move(clock)), m_lookup(std::move(lookup))
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        Fail(m_lookingUp ? QStringLiteral("IPアドレスがおかしい") : QStringLiteral("サーバからの受信失敗"));
    });
}

void ClsNTP::Initialize()
{
    m_timeOut = 5000;
}

bool ClsNTP::GetDate(const QString &Server, quint16 local_port, quint16 Port)
{
    if (m_busy)
        return false;
    m_busy = true;
    ++m_request;
    m_port = Port;
    m_socket = std::make_unique<QUdpSocket>();
    if (!m_socket->bind(QHostAddress::AnyIPv4, local_port)) {
        emit Err(QStringLiteral("受信ポート番号の指定に失敗"));
        m_socket = std::make_unique<QUdpSocket>();
        if (!m_socket->bind(QHostAddress::AnyIPv4, 0)) {
            Fail(QStringLiteral("Socket作成失敗"));
            return true;
        }
    }
    connect(m_socket.get(), &QUdpSocket::readyRead, this, &ClsNTP::ReadReplies);

    QHostAddress address;
    if (address.setAddress(Server) && address.protocol() == QAbstractSocket::IPv4Protocol) {
        SendTo(address);
        return true;
    }
    if (Server.trimmed().isEmpty()) {
        Fail(QStringLiteral("IPアドレスがおかしい"));
        return true;
    }
    // A resolver that does not answer must not hold the request (and the clock step) forever.
    m_lookingUp = true;
    m_timer.start(m_timeOut);
    m_lookup(Server, this, [this, request = m_request](const QList<QHostAddress> &addresses) {
        if (!m_busy || !m_lookingUp || request != m_request)
            return;
        for (const QHostAddress &a : addresses) {
            if (a.protocol() == QAbstractSocket::IPv4Protocol) {
                SendTo(a);
                return;
            }
        }
        Fail(QStringLiteral("IPアドレスがおかしい"));
    });
    return true;
}

void ClsNTP::SendTo(const QHostAddress &address)
{
    m_lookingUp = false;
    m_server = address;
    m_requestTransmit = SntpPacket::ToNtpTimestamp(m_clock->Now().toMSecsSinceEpoch());
    const QByteArray request = SntpPacket::BuildRequest(m_requestTransmit);
    if (m_socket->writeDatagram(request, m_server, m_port) != request.size()) {
        Fail(QStringLiteral("サーバへの送信失敗"));
        return;
    }
    m_timer.start(m_timeOut);
}

void ClsNTP::ReadReplies()
{
    while (m_socket && m_socket->hasPendingDatagrams()) {
        const QNetworkDatagram datagram = m_socket->receiveDatagram(1024);
        // A datagram from anyone else, or one that does not answer our request, is not a time.
        if (!m_busy || datagram.senderPort() != m_port || !datagram.senderAddress().isEqual(m_server))
            continue;
        if (const auto time = SntpPacket::ParseReply(datagram.data(), m_requestTransmit)) {
            Finish(time->toLocalTime());
            return;
        }
    }
}

void ClsNTP::Fail(const QString &message)
{
    emit Err(message);
    Finish(QDateTime());
}

void ClsNTP::Finish(const QDateTime &result)
{
    m_timer.stop();
    m_lookingUp = false;
    if (m_socket) {
        m_socket->disconnect(this);
        m_socket->deleteLater();
        m_socket.release();
    }
    m_busy = false;
    emit Finished(result);
}

}  // namespace tolvane
