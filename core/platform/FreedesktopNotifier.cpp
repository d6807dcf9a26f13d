#include "FreedesktopNotifier.h"

#include <QDBusMessage>
#include <QVariantMap>

namespace tolvane {

QDBusConnection &FreedesktopNotifier::Bus()
{
    if (!m_bus)
        m_bus = QDBusConnection::sessionBus();
    return *m_bus;
}

bool FreedesktopNotifier::Connected()
{
    return Bus().isConnected();
}

void FreedesktopNotifier::Notify(const QString &summary, const QString &body, Urgency urgency)
{
    if (!Connected())
        return;
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    QVariantMap hints;
    hints.insert(QStringLiteral("urgency"), QVariant::fromValue(static_cast<uchar>(urgency)));
    // Lets the desktop show the program's name and icon, and group its notifications.
    hints.insert(QStringLiteral("desktop-entry"), QStringLiteral("tolvane"));
    call << QStringLiteral("Tolvane") << 0u << QStringLiteral("tolvane") << summary << body << QStringList() << hints
         << -1;
    // The reply (the notification's number) is of no use; a recorder never waits for a desktop.
    call.setAutoStartService(true);
    Bus().send(call);
}

}  // namespace tolvane
