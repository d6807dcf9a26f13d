#include "CliCommands.h"

#include "cli/CliServices.h"
#include "cli/ConsoleOutput.h"
#include "cli/DeviceListing.h"
#include "cli/RecordCommand.h"
#include "cli/RunCommand.h"
#include "cli/ServiceCommand.h"
#include "cli/SntpCommand.h"
#include "common/AppFolder.h"
#include "common/DateTimeText.h"
#include "core/controller/ClsController.h"

#include <QTextStream>

namespace tolvane::cli {

namespace {

const char *kUsage =
    "usage: tolvane-cli COMMAND\n"
    "\n"
    "commands:\n"
    "  status       show the version, the recording status and the schedules\n"
    "  run          run the timetable until interrupted (Ctrl-C or SIGTERM stop cleanly)\n"
    "  record [--for hh:mm:ss] [--schedule NAME]\n"
    "               record now with the default schedule's settings (or NAME's), starting on\n"
    "               the next second, for the given length or until Ctrl-C\n"
    "  service install|uninstall\n"
    "               run the timetable as a systemd user service (started with your session)\n"
    "  sntp SERVER [--set]\n"
    "               ask a time server (host or host:port) for the time and show the offset;\n"
    "               --set also sets the clock from it\n"
    "  devices      list the sound devices (DeviceID) and their mixer lines and controls\n"
    "               (the recording input selector's items are the SourceLineIndex values)\n"
    "  --version    show the version\n"
    "  --help       show this text\n"
    "\n"
    "Files live in $TOLVANE_HOME, or ~/.local/share/tolvane when it is not set.\n"
    "With TOLVANE_DRY_RUN=1 the recorder never hibernates, powers off or sets the clock;\n"
    "it prints what it would have done.\n";

// "SMTWTFS" with "-" for the days the schedule does not record.
QString DaysText(const ClsSchedule &s)
{
    static const char letters[] = "SMTWTFS";
    QString days;
    for (int day = 0; day < 7; ++day)
        days += s.StartDay(day) == 1 ? QChar::fromLatin1(letters[day]) : QChar(u'-');
    return days;
}

// Reads only: no clock setting, no lock, no file written.
int ShowStatus(std::FILE *out, std::FILE *err)
{
    auto services = MakeServices(ServiceMode::ReadOnly);
    ClsController controller(services);
    ConsoleOutput console(out, err);
    QObject::connect(&controller, &ClsController::OnError, [&](const NumberedError &e) { console.ReportError(e); });
    QObject::connect(&controller, &ClsController::OnWarning, [&](const QString &text) { console.Warning(text); });
    int rc = 0;
    try {
        controller.Setup();
    } catch (const NumberedError &e) {
        console.ReportError(e);
        rc = 1;
    }

    QString text;
    QTextStream ts(&text);
    ts << "Tolvane " << controller.GetVersion() << "\n";
    ts << "Folder: " << services->appFolder << "\n";
    ts << "Status: " << StatusName(controller.Status()) << "\n";
    if (controller.gWakeFromSuspend) {
        const QDateTime wake = controller.NextWakeTime();
        ts << "Next wake-up: " << (wake.isValid() ? GeneralDateTimeText(wake) : QStringLiteral("none (no recording ahead)"))
           << "\n";
    }
    ts << "Schedules: " << controller.nSchedules() << "\n";
    for (const auto &entry : controller.ScheduleList()) {
        const ClsSchedule &s = *entry.schedule;
        ts << "  " << entry.key << "\t" << s.Name() << "\t" << DaysText(s) << "\t" << s.StartTime() << "-"
           << s.EndTime() << "\t" << (s.Valid() ? "valid" : "invalid") << "\n";
    }
    ts.flush();
    Print(out, text);
    return rc;
}

}  // namespace

int Run(const QStringList &arguments, std::FILE *out, std::FILE *err)
{
    const QString command = arguments.value(1);
    if (command == QLatin1String("--version")) {
        Print(out, QStringLiteral("tolvane-cli %1\n").arg(ClsController(MakeServices(ServiceMode::ReadOnly)).GetVersion()));
        return 0;
    }
    if (command == QLatin1String("status"))
        return ShowStatus(out, err);
    if (command == QLatin1String("run"))
        return RunTimetable(out, err);
    if (command == QLatin1String("service"))
        return ManageService(arguments.value(2), out, err);
    if (command == QLatin1String("record"))
        return RecordNow(arguments.mid(2), out, err);
    if (command == QLatin1String("sntp") && arguments.size() >= 3) {
        const bool set = arguments.size() >= 4 && arguments.at(3) == QLatin1String("--set");
        return AskTimeServer(arguments.at(2), set, out, err);
    }
    if (command == QLatin1String("devices")) {
        QString text, problem;
        const int rc = ListDevices(text, problem);
        Print(out, text);
        Print(err, problem);
        return rc;
    }
    if (command == QLatin1String("--help") || command == QLatin1String("-h")) {
        Print(out, QString::fromLatin1(kUsage));
        return 0;
    }
    Print(err, command.isEmpty() ? QStringLiteral("tolvane-cli: no command given\n")
                                 : QStringLiteral("tolvane-cli: unknown command \"%1\"\n").arg(command));
    Print(err, QString::fromLatin1(kUsage));
    return 2;
}

}  // namespace tolvane::cli
