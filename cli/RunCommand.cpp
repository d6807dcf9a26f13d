#include "RunCommand.h"

#include "cli/CliServices.h"
#include "cli/ConsoleOutput.h"
#include "cli/SignalWatcher.h"
#include "common/AppFolder.h"
#include "common/DateTimeText.h"
#include "common/InstanceLock.h"
#include "core/controller/ClsController.h"

#include <QCoreApplication>
#include <QTimer>

#include <csignal>

namespace tolvane::cli {

namespace {

// A machine that is being shut down (a signal) must not be sent to sleep or off by us.
class NoPower final : public IPower {
public:
    void Hibernate() override {}
    void PowerOff() override {}
};

}  // namespace

int RunTimetable(std::FILE *out, std::FILE *err)
{
    ConsoleOutput console(out, err);
    if (!AppFolder::EnsureExists()) {
        console.Error(QStringLiteral("cannot create the application folder %1").arg(AppFolder::Path()));
        return 1;
    }
    InstanceLock lock(AppFolder::Path());
    if (!lock.TryAcquire()) {
        const qint64 pid = lock.HolderPid();
        console.Error(QStringLiteral("another Tolvane%1 already runs the timetable of %2; not starting a second one")
                          .arg(pid ? QStringLiteral(" (process %1)").arg(pid) : QString(), AppFolder::Path()));
        return 3;
    }

    SignalWatcher watcher;  // before anything can take long, so that Ctrl-C is always ours
    auto services = MakeServices(ServiceMode::Recording);
    ClsController controller(services);
    console.Attach(controller);
    QObject::connect(&controller, &ClsController::OnUnload, [&](bool &) {
        console.Line(QStringLiteral("quitting after the recording, as its schedule asks"));
        QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
    });

    try {
        controller.Setup();
    } catch (const NumberedError &e) {
        console.ReportError(e);
    }
    console.Line(QStringLiteral("Tolvane %1 runs the timetable of %2 (%3 schedules); Ctrl-C stops")
                     .arg(controller.GetVersion(), AppFolder::Path())
                     .arg(controller.nSchedules()));

    QObject::connect(&watcher, &SignalWatcher::Received, [&](int number) {
        if (number == SIGHUP)
            return;
        console.Line(QStringLiteral("%1 received: stopping").arg(number == SIGTERM ? "SIGTERM" : "SIGINT"));
        services->power = std::make_shared<NoPower>();
        if (controller.IsCapturing())
            controller.StopCapture();
        // Let the recording's last block be written and its files closed, then go.
        auto *wait = new QTimer(qApp);
        int waited = 0;
        QObject::connect(wait, &QTimer::timeout, [&controller, wait, waited]() mutable {
            if (controller.CaptureFinishing() && ++waited < 200)
                return;
            wait->stop();
            QCoreApplication::exit(0);
        });
        wait->start(50);
    });

    return QCoreApplication::exec();
}

}  // namespace tolvane::cli
