#pragma once
// Desktop notifications through org.freedesktop.Notifications on a D-Bus session bus.

#include "core/platform/IDesktopNotifier.h"

#include <QDBusConnection>

#include <optional>

namespace tolvane {

class FreedesktopNotifier final : public IDesktopNotifier {
public:
    // The session bus of the user, connected at the first notification.
    FreedesktopNotifier() = default;
    explicit FreedesktopNotifier(const QDBusConnection &bus) : m_bus(bus) {}

    void Notify(const QString &summary, const QString &body, Urgency urgency) override;
    // True when the bus is there to carry a notification.
    bool Connected();

private:
    QDBusConnection &Bus();

    std::optional<QDBusConnection> m_bus;
};

}  // namespace tolvane
