#include "RunCommand.h"

#include "cli/CommandLine.h"
#include "cli/RecorderSession.h"
#include "common/AppFolder.h"
#include "core/platform/FreedesktopNotifier.h"

#include <QCoreApplication>
#include <QTimer>

namespace tolvane::cli {

namespace {

// Failed recordings, warnings and finished files as desktop notifications, for a recorder run
// in the user's desktop session with no window to show them.
void NotifyOnDesktop(RecorderSession &session)
{
    const std::shared_ptr<IDesktopNotifier> notifier = session.Services()->desktopNotifier;
    auto *bus = dynamic_cast<FreedesktopNotifier *>(notifier.get());
    if (!notifier || (bus && !bus->Connected())) {
        session.Console().Warning(QStringLiteral("--notify: there is no session bus to send notifications on"));
        return;
    }
    ClsController &c = session.Controller();
    const QString summary = QStringLiteral("Tolvane");
    QObject::connect(&c, &ClsController::OnError, [notifier, summary](const NumberedError &e) {
        notifier->Notify(summary, QStringLiteral("error %1: %2").arg(e.Number()).arg(e.Description()),
                         IDesktopNotifier::Urgency::Critical);
    });
    QObject::connect(&c, &ClsController::OnWarning, [notifier, summary](const QString &text) {
        notifier->Notify(summary, text, IDesktopNotifier::Urgency::Normal);
    });
    QObject::connect(&c, &ClsController::OnCaptureFileFinished, [notifier, summary](const QString &path) {
        notifier->Notify(summary, QStringLiteral("recorded %1").arg(path), IDesktopNotifier::Urgency::Low);
    });
}

}  // namespace

int RunTimetable(const QStringList &options, std::FILE *out, std::FILE *err)
{
    CommandLine line(QStringLiteral("run"), QStringLiteral("[--notify]"),
                     QStringLiteral("Runs the timetable until Ctrl-C or SIGTERM, printing status changes, errors and "
                                    "finished files. SIGHUP reads schedule.xml again. Exit status 3: another "
                                    "recorder or the window runs this folder's timetable."));
    const QCommandLineOption notify(QStringLiteral("notify"),
                                    QStringLiteral("also show failed recordings, warnings and finished files as "
                                                   "desktop notifications (needs the session bus)"));
    line.Parser().addOption(notify);
    if (const auto done = line.Parse(options, 0, 0, out, err))
        return *done;

    RecorderSession session(out, err);
    if (const auto failed = session.Open())
        return *failed;
    ClsController &controller = session.Controller();
    if (line.IsSet(QStringLiteral("notify")))
        NotifyOnDesktop(session);
    QObject::connect(&controller, &ClsController::OnUnload, [&](bool &) {
        session.Console().Line(QStringLiteral("quitting after the recording, as its schedule asks"));
        QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
    });
    session.Console().Line(QStringLiteral("Tolvane %1 runs the timetable of %2 (%3 schedules); Ctrl-C stops")
                               .arg(controller.GetVersion(), AppFolder::Path())
                               .arg(controller.nSchedules()));
    return session.Exec();
}

}  // namespace tolvane::cli
