#pragma once
// A private D-Bus session bus for tests (its own dbus-daemon in a temporary folder), and a
// stand-in desktop notification service on it that keeps every notification it is sent.

#include <QDBusConnection>
#include <QObject>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariantMap>

#include <memory>
#include <vector>

namespace tolvane::test {

class PrivateSessionBus {
public:
    PrivateSessionBus();
    ~PrivateSessionBus();
    PrivateSessionBus(const PrivateSessionBus &) = delete;
    PrivateSessionBus &operator=(const PrivateSessionBus &) = delete;

    // False when the daemon did not come up; Error() then says why.
    bool Running() const { return m_running; }
    const QString &Error() const { return m_error; }
    // "unix:path=..."
    const QString &Address() const { return m_address; }
    // A connection of its own to the bus, closed with the bus object.
    QDBusConnection Connect(const QString &name);

private:
    QTemporaryDir m_dir;
    std::unique_ptr<QProcess> m_daemon;
    QString m_address;
    QString m_error;
    QStringList m_connections;
    bool m_running = false;
};

// org.freedesktop.Notifications on a bus: answers Notify and keeps what it was given.
class StandInNotifications : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    struct Notification {
        QString appName;
        QString icon;
        QString summary;
        QString body;
        QVariantMap hints;
    };

    explicit StandInNotifications(PrivateSessionBus &bus);
    // True when the service name and the object are registered.
    bool Registered() const { return m_registered; }

    std::vector<Notification> received;

public slots:
    uint Notify(const QString &appName, uint replacesId, const QString &appIcon, const QString &summary,
                const QString &body, const QStringList &actions, const QVariantMap &hints, int expireTimeout);

private:
    bool m_registered = false;
};

}  // namespace tolvane::test
