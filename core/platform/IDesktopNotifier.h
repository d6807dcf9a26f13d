#pragma once
// Notifications on the user's desktop (the bubbles of the session's notification service), for
// what happens while nobody looks at the window: a failed recording, a warning, a finished file.
// Sending never waits and never fails towards the caller: a desktop without the service simply
// shows nothing.

#include <QString>

namespace tolvane {

class IDesktopNotifier {
public:
    enum class Urgency { Low, Normal, Critical };
    virtual ~IDesktopNotifier() = default;
    virtual void Notify(const QString &summary, const QString &body, Urgency urgency) = 0;
};

}  // namespace tolvane
