#include "PrivateSessionBus.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QThread>

namespace tolvane::test {

PrivateSessionBus::PrivateSessionBus()
{
    const QString socket = m_dir.path() + "/bus";
    m_address = "unix:path=" + socket;
    QFile config(m_dir.path() + "/session.conf");
    if (!config.open(QIODevice::WriteOnly)) {
        m_error = "cannot write the bus configuration";
        return;
    }
    config.write(QStringLiteral("<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\"\n"
                                " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
                                "<busconfig>\n"
                                "  <type>session</type>\n"
                                "  <listen>%1</listen>\n"
                                "  <auth>EXTERNAL</auth>\n"
                                "  <policy context=\"default\">\n"
                                "    <allow send_destination=\"*\" eavesdrop=\"true\"/>\n"
                                "    <allow eavesdrop=\"true\"/>\n"
                                "    <allow own=\"*\"/>\n"
                                "  </policy>\n"
                                "</busconfig>\n")
                     .arg(m_address)
                     .toUtf8());
    config.close();

    m_daemon = std::make_unique<QProcess>();
    m_daemon->setProcessChannelMode(QProcess::MergedChannels);
    m_daemon->start("dbus-daemon", {"--config-file=" + config.fileName(), "--nofork", "--nopidfile"});
    if (!m_daemon->waitForStarted(10000)) {
        m_error = "dbus-daemon did not start: " + m_daemon->errorString();
        return;
    }
    const QDeadlineTimer deadline(10000);
    while (!deadline.hasExpired() && m_daemon->state() == QProcess::Running) {
        if (QFile::exists(socket)) {
            const QString probe = QStringLiteral("probe-%1").arg(quintptr(this));
            m_running = QDBusConnection::connectToBus(m_address, probe).isConnected();
            QDBusConnection::disconnectFromBus(probe);
            if (m_running)
                return;
        }
        QThread::msleep(20);
    }
    m_error = "dbus-daemon did not answer: " + QString::fromUtf8(m_daemon->readAll());
}

PrivateSessionBus::~PrivateSessionBus()
{
    for (const QString &name : m_connections)
        QDBusConnection::disconnectFromBus(name);
    if (m_daemon && m_daemon->state() != QProcess::NotRunning) {
        m_daemon->terminate();
        if (!m_daemon->waitForFinished(5000)) {
            m_daemon->kill();
            m_daemon->waitForFinished(5000);
        }
    }
}

QDBusConnection PrivateSessionBus::Connect(const QString &name)
{
    // Connection names are process-wide; each bus object keeps its own apart.
    const QString unique = QStringLiteral("%1-%2").arg(name).arg(quintptr(this));
    m_connections.append(unique);
    return QDBusConnection::connectToBus(m_address, unique);
}

StandInNotifications::StandInNotifications(PrivateSessionBus &bus)
{
    QDBusConnection connection = bus.Connect("notifications");
    m_registered = connection.registerObject("/org/freedesktop/Notifications", this, QDBusConnection::ExportAllSlots) &&
                   connection.registerService("org.freedesktop.Notifications");
}

uint StandInNotifications::Notify(const QString &appName, uint, const QString &appIcon, const QString &summary,
                                  const QString &body, const QStringList &, const QVariantMap &hints, int)
{
    received.push_back({appName, appIcon, summary, body, hints});
    return static_cast<uint>(received.size());
}

}  // namespace tolvane::test
