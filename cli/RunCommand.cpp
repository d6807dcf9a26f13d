#include "RunCommand.h"

#include "cli/CommandLine.h"
#include "cli/RecorderSession.h"
#include "common/AppFolder.h"

#include <QCoreApplication>
#include <QTimer>

namespace tolvane::cli {

int RunTimetable(const QStringList &options, std::FILE *out, std::FILE *err)
{
    CommandLine line(QStringLiteral("run"), QString(),
                     QStringLiteral("Runs the timetable until Ctrl-C or SIGTERM, printing status changes, errors and "
                                    "finished files. SIGHUP reads schedule.xml again. Exit status 3: another "
                                    "recorder or the window runs this folder's timetable."));
    if (const auto done = line.Parse(options, 0, 0, out, err))
        return *done;

    RecorderSession session(out, err);
    if (const auto failed = session.Open())
        return *failed;
    ClsController &controller = session.Controller();
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
