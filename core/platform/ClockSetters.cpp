#include "IClockSetter.h"

#include "common/NumberedError.h"
#include "core/platform/IClock.h"

#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusMessage>

#include <cerrno>
#include <cstring>
#include <ctime>

namespace tolvane {

namespace {
const QString kSource = QStringLiteral("ClockSetter");
}

void SystemClockSetter::SetTime(const QDateTime &moment)
{
    const qint64 ms = moment.toMSecsSinceEpoch();
    timespec ts{};
    ts.tv_sec = static_cast<time_t>(ms / 1000);
    ts.tv_nsec = static_cast<long>(ms % 1000) * 1000000L;
    if (clock_settime(CLOCK_REALTIME, &ts) == 0)
        return;
    const int err = errno;
    if (err != EPERM)
        throw NumberedError(ErrNo::PathFileAccess,
                            QStringLiteral("clock_settime: %1").arg(QString::fromLocal8Bit(std::strerror(err))), kSource);

    // Not privileged: ask timedated, which applies its own policy (and may refuse).
    QDBusInterface timedated(QStringLiteral("org.freedesktop.timedate1"), QStringLiteral("/org/freedesktop/timedate1"),
                             QStringLiteral("org.freedesktop.timedate1"), QDBusConnection::systemBus());
    if (!timedated.isValid())
        throw NumberedError(ErrNo::PathFileAccess,
                            QStringLiteral("cannot set the clock: not permitted, and timedated is not reachable (%1)")
                                .arg(timedated.lastError().message()),
                            kSource);
    const QDBusMessage reply =
        timedated.call(QStringLiteral("SetTime"), static_cast<qlonglong>(ms * 1000), false, false);
    if (reply.type() == QDBusMessage::ErrorMessage)
        throw NumberedError(ErrNo::PathFileAccess, QStringLiteral("timedated refused to set the clock: %1").arg(reply.errorMessage()),
                            kSource);
}

void RefusingClockSetter::SetTime(const QDateTime &)
{
    throw NumberedError(ErrNo::PathFileAccess, QStringLiteral("this command does not set the clock"), kSource);
}

}  // namespace tolvane
