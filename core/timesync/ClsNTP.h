#pragma once
// Asks a time server for the time with one SNTP request over UDP, without blocking the event
// loop: the answer arrives later as Finished. Only a reply that matches the request is believed.

#include <QDateTime>
#include <QHostAddress>
#include <QObject>
#include <QString>
#include <QTimer>
#include <QUdpSocket>

#include <functional>
#include <memory>

namespace tolvane {

class IClock;

// A time server as the user writes it: "host" is asked on port 123, "host:port" on that port.
struct TimeServerAddress {
    QString host;
    quint16 port = 123;
};
TimeServerAddress ParseTimeServer(const QString &text);

// Looks a host name up and hands its addresses (none when it fails) to `done` later, on the
// thread of `context`, and never once `context` is gone. The system's resolver unless a test
// gives another.
using HostLookup =
    std::function<void(const QString &name, QObject *context, std::function<void(const QList<QHostAddress> &)> done)>;
HostLookup SystemHostLookup();

class ClsNTP : public QObject {
    Q_OBJECT
public:
    explicit ClsNTP(std::shared_ptr<IClock> clock, HostLookup lookup = SystemHostLookup(), QObject *parent = nullptr);

    // Sets TimeOut to 5000 ms.
    void Initialize();
    qint32 TimeOut() const { return m_timeOut; }
    void setTimeOut(qint32 ms) { m_timeOut = ms; }

    // Starts one request to Server (a dotted IPv4 address or a host name) on UDP port Port, from
    // local_port (or whatever port the system gives when that is taken). False when a request
    // is still running. The name lookup, and then the exchange, each get TimeOut. Every failure
    // raises Err; the end is always one Finished.
    bool GetDate(const QString &Server, quint16 local_port, quint16 Port);
    bool Busy() const { return m_busy; }

signals:
    void Err(const QString &ErrString);
    // The server's time in local time, or an invalid QDateTime when no time was obtained.
    void Finished(const QDateTime &serverTime);

private:
    void SendTo(const QHostAddress &address);
    void ReadReplies();
    void Fail(const QString &message);
    void Finish(const QDateTime &result);

    std::shared_ptr<IClock> m_clock;
    HostLookup m_lookup;
    qint32 m_timeOut = 5000;
    bool m_busy = false;
    bool m_lookingUp = false;
    // Tells a late lookup answer from the one the running request waits for.
    quint64 m_request = 0;
    std::unique_ptr<QUdpSocket> m_socket;
    QTimer m_timer;
    QHostAddress m_server;
    quint16 m_port = 0;
    quint64 m_requestTransmit = 0;
};

}  // namespace tolvane
