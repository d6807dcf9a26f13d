#include "IWakeAlarm.h"

#include "common/NumberedError.h"

#include <QFile>
#include <QProcess>

#include <unistd.h>

namespace tolvane {

namespace {

const QString kSource = QStringLiteral("WakeAlarm");
const QString kRtc = QStringLiteral("/sys/class/rtc/rtc0/wakealarm");
const QString kTimerUnit = QStringLiteral("tolvane-wake");

// The kernel takes a new alarm only after the old one is cleared with 0.
bool WriteRtc(const QByteArray &value)
{
    QFile rtc(kRtc);
    if (!rtc.open(QIODevice::WriteOnly))
        return false;
    return rtc.write(value) == value.size() && rtc.flush();
}

QStringList SystemdScope()
{
    return geteuid() == 0 ? QStringList{} : QStringList{QStringLiteral("--user")};
}

void StopTimer()
{
    QProcess::execute(QStringLiteral("systemctl"), SystemdScope() + QStringList{QStringLiteral("stop"), kTimerUnit + QStringLiteral(".timer")});
}

}  // namespace

void SystemWakeAlarm::Arm(const QDateTime &moment)
{
    if (WriteRtc("0") && WriteRtc(QByteArray::number(moment.toSecsSinceEpoch())))
        return;
    StopTimer();
    QProcess run;
    run.start(QStringLiteral("systemd-run"),
              SystemdScope() + QStringList{QStringLiteral("--unit=") + kTimerUnit, QStringLiteral("--timer-property=WakeSystem=yes"),
                                           QStringLiteral("--timer-property=AccuracySec=1s"),
                                           QStringLiteral("--on-calendar=") + moment.toUTC().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) + QStringLiteral(" UTC"),
                                           QStringLiteral("/bin/true")});
    if (!run.waitForFinished(15000) || run.exitStatus() != QProcess::NormalExit || run.exitCode() != 0)
        throw NumberedError(ErrNo::PathFileAccess,
                            QStringLiteral("cannot arm the wake alarm: %1 is not writable and systemd-run refused: %2")
                                .arg(kRtc, QString::fromLocal8Bit(run.readAllStandardError()).trimmed()),
                            kSource);
}

void SystemWakeAlarm::Disarm()
{
    WriteRtc("0");
    StopTimer();
}

}  // namespace tolvane
