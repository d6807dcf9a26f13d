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

ClsNTP::ClsNTP(std::shared_ptr<IClock> clock, QObject *parent) : QObject(parent), m_clock(std::move(clock))
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, [this] { Fail(QStringLiteral("サーバからの受信失敗")); });
}

ClsNTP::~ClsNTP()
{
    if (m_lookupId >= 0)
        QHostInfo::abortHostLookup(m_lookupId);
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
    m_lookupId = QHostInfo::lookupHost(Server, this, [this](const QHostInfo &info) {
        m_lookupId = -1;
        for (const QHostAddress &a : info.addresses()) {
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
    if (m_socket) {
        m_socket->disconnect(this);
        m_socket->deleteLater();
        m_socket.release();
    }
    m_busy = false;
    emit Finished(result);
}

}  // namespace tolvane
