#include "LogindPower.h"

#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusReply>

namespace tolvane {

namespace {

void CallLogind(const char *method)
{
    QDBusInterface manager(QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
                           QStringLiteral("org.freedesktop.login1.Manager"), QDBusConnection::systemBus());
    if (!manager.isValid()) {
        qWarning("tolvane: logind is not reachable: %s", qPrintable(manager.lastError().message()));
        return;
    }
    // false: never ask the user for authorisation; an unattended machine has nobody to answer.
    const QDBusMessage reply = manager.call(QString::fromLatin1(method), false);
    if (reply.type() == QDBusMessage::ErrorMessage)
        qWarning("tolvane: logind %s failed: %s", method, qPrintable(reply.errorMessage()));
}

}  // namespace

void LogindPower::Hibernate()
{
    CallLogind("Hibernate");
}

void LogindPower::PowerOff()
{
    CallLogind("PowerOff");
}

}  // namespace tolvane
