#include "SntpCommand.h"

#include "cli/CliServices.h"
#include "cli/ConsoleOutput.h"
#include "core/controller/ClsController.h"
#include "core/timesync/ClsNTP.h"

#include <QCoreApplication>
#include <QElapsedTimer>

namespace tolvane::cli {

namespace {

// Waits in the event loop until `done`; the SNTP exchange never blocks it.
void WaitFor(const bool &done)
{
    QElapsedTimer timer;
    timer.start();
    while (!done && timer.elapsed() < 30000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
}

}  // namespace

int AskTimeServer(const QString &server, bool set, std::FILE *out, std::FILE *err)
{
    ConsoleOutput console(out, err);
    const TimeServerAddress address = ParseTimeServer(server);

    auto clock = std::make_shared<SystemClock>();
    ClsNTP ntp(clock);
    ntp.Initialize();
    QObject::connect(&ntp, &ClsNTP::Err, [&](const QString &message) { console.Error(QStringLiteral("sntp: ") + message); });
    bool done = false;
    QDateTime serverTime;
    QDateTime localTime;
    QObject::connect(&ntp, &ClsNTP::Finished, [&](const QDateTime &t) {
        localTime = QDateTime::currentDateTime();
        serverTime = t;
        done = true;
    });
    ntp.GetDate(address.host, 0, address.port);
    WaitFor(done);
    if (!serverTime.isValid()) {
        console.Error(QStringLiteral("no time from %1").arg(server));
        return 1;
    }
    const qint64 offset = localTime.msecsTo(serverTime);
    Print(out, QStringLiteral("server time: %1\nlocal time:  %2\noffset:      %3%4 s (%5)\n")
                   .arg(serverTime.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")),
                        localTime.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")), offset >= 0 ? "+" : "-")
                   .arg(std::abs(offset) / 1000.0, 0, 'f', 3)
                   .arg(offset >= 0 ? QStringLiteral("the local clock is behind") : QStringLiteral("the local clock is ahead")));
    if (!set)
        return 0;

    ClsController controller(MakeServices(ServiceMode::Recording));
    controller.gSetTimeServer = server;
    bool setDone = false;
    bool setOk = false;
    QObject::connect(&controller, &ClsController::OnError, [&](const NumberedError &e) { console.ReportError(e); });
    QObject::connect(&controller, &ClsController::OnTimeSet, [&](bool ok) {
        setOk = ok;
        setDone = true;
    });
    controller.SetTimeFromServer();
    WaitFor(setDone);
    Print(setOk ? out : err, setOk ? QStringLiteral("clock set from %1\n").arg(server)
                                   : QStringLiteral("tolvane-cli: the clock was not set\n"));
    return setOk ? 0 : 1;
}

}  // namespace tolvane::cli
