#include "CliCommands.h"

#include "cli/CliServices.h"
#include "cli/CommandLine.h"
#include "cli/ConsoleOutput.h"
#include "cli/DeviceListing.h"
#include "cli/RecordCommand.h"
#include "cli/RunCommand.h"
#include "cli/ScheduleCommand.h"
#include "cli/ServiceCommand.h"
#include "cli/SntpCommand.h"
#include "common/AppFolder.h"
#include "common/DateTimeText.h"
#include "core/controller/ClsController.h"
#include "core/encoder/EncordaFactory.h"

#include <QTextStream>

namespace tolvane::cli {

namespace {

const char *kUsage =
    "usage: tolvane-cli COMMAND [ARGUMENTS]\n"
    "\n"
    "commands:\n"
    "  status       show the version, the recording status and the schedules\n"
    "  run [--notify]\n"
    "               run the timetable until interrupted (Ctrl-C or SIGTERM stop cleanly);\n"
    "               --notify also shows errors and finished files as desktop notifications\n"
    "  record [--for hh:mm:ss] [--schedule NAME] [--url URL]\n"
    "               record now with the default schedule's settings (or NAME's), starting on\n"
    "               the next second, for the given length or until Ctrl-C; --url records a stream\n"
    "  schedule list|add|edit|remove|enable|disable|postpone ...\n"
    "               show and change the schedules without the window\n"
    "  service install|uninstall\n"
    "               run the timetable as a systemd user service (started with your session)\n"
    "  sntp SERVER [--set]\n"
    "               ask a time server (host or host:port) for the time and show the offset;\n"
    "               --set also sets the clock from it\n"
    "  devices      list the sound devices (DeviceID) and their mixer lines and controls\n"
    "               (the recording input selector's items are the SourceLineIndex values)\n"
    "  --version    show the version\n"
    "  --help       show this text; COMMAND --help shows a command's own\n"
    "\n"
    "Files live in $TOLVANE_HOME, or $XDG_DATA_HOME/tolvane (~/.local/share/tolvane) when it is\n"
    "not set. With TOLVANE_DRY_RUN=1 the recorder never hibernates, powers off or sets the clock;\n"
    "it prints what it would have done. See tolvane-cli(1).\n";

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
    ts << "Default save folder: " << controller.DefaultSavePath() << "\n";
    ts << "MP3 encoder: " << (controller.UseGOGO ? "available" : "not available");
    if (const auto *encorda = dynamic_cast<const EncordaFactory *>(services->encoderFactory.get()))
        ts << " (" << encorda->EncordaPath() << ")";
    ts << "\n";
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

// A command without arguments of its own.
int Plain(const QString &command, const QString &description, const QStringList &words, std::FILE *out,
          std::FILE *err, int (*body)(std::FILE *, std::FILE *))
{
    CommandLine line(command, QString(), description);
    if (const auto done = line.Parse(words, 0, 0, out, err))
        return *done;
    return body(out, err);
}

int Devices(std::FILE *out, std::FILE *err)
{
    QString text, problem;
    const int rc = ListDevices(text, problem);
    Print(out, text);
    Print(err, problem);
    return rc;
}

int Service(const QStringList &words, std::FILE *out, std::FILE *err)
{
    CommandLine line(QStringLiteral("service"), QStringLiteral("install|uninstall"),
                     QStringLiteral("Runs the timetable as a systemd user service, started with your session "
                                    "(install), or stops and removes it (uninstall)."));
    line.AddArgument(QStringLiteral("install|uninstall"), QStringLiteral("what to do"));
    if (const auto done = line.Parse(words, 1, 1, out, err))
        return *done;
    const QString action = line.Words().first();
    if (action != QLatin1String("install") && action != QLatin1String("uninstall"))
        return line.Refuse(QStringLiteral("service takes install or uninstall, not \"%1\"").arg(action), err);
    return ManageService(action, out, err);
}

int Sntp(const QStringList &words, std::FILE *out, std::FILE *err)
{
    CommandLine line(QStringLiteral("sntp"), QStringLiteral("SERVER [--set]"),
                     QStringLiteral("Asks a time server once and shows its time, the local time and the offset."));
    line.AddArgument(QStringLiteral("SERVER"), QStringLiteral("the time server, host or host:port (port 123 when none)"));
    line.Parser().addOption({QStringLiteral("set"), QStringLiteral("also set the clock from the answer, as the timetable would")});
    if (const auto done = line.Parse(words, 0, 1, out, err))
        return *done;
    if (line.Words().isEmpty())
        return line.Refuse(QStringLiteral("sntp needs a time server (host or host:port)"), err);
    return AskTimeServer(line.Words().first(), line.IsSet(QStringLiteral("set")), out, err);
}

QString Version()
{
    return ClsController(MakeServices(ServiceMode::ReadOnly)).GetVersion();
}

}  // namespace

int Run(const QStringList &arguments, std::FILE *out, std::FILE *err)
{
    QCommandLineParser top;
    top.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QString());
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")}, QString());
    top.addOptions({help, version});
    top.addPositionalArgument(QStringLiteral("command"), QString());
    if (!top.parse(arguments)) {
        Print(err, QStringLiteral("tolvane-cli: %1\n").arg(top.errorText()) + QString::fromLatin1(kUsage));
        return 2;
    }
    const QStringList words = top.positionalArguments();
    if (top.isSet(version) && words.isEmpty()) {
        Print(out, QStringLiteral("tolvane-cli %1\n").arg(Version()));
        return 0;
    }
    if (words.isEmpty()) {
        const bool asked = top.isSet(help);
        Print(asked ? out : err, (asked ? QString() : QStringLiteral("tolvane-cli: no command given\n")) + QString::fromLatin1(kUsage));
        return asked ? 0 : 2;
    }
    if (top.isSet(help) || top.isSet(version)) {
        Print(err, QStringLiteral("tolvane-cli: options go after the command: tolvane-cli %1 --help\n").arg(words.first()));
        return 2;
    }

    const QString command = words.first();
    const QStringList rest = words.mid(1);
    if (command == QLatin1String("status"))
        return Plain(command, QStringLiteral("Shows the version, the folders, the recording status and the schedules. "
                                             "Reads only: nothing is written and no clock is set."),
                     rest, out, err, &ShowStatus);
    if (command == QLatin1String("run"))
        return RunTimetable(rest, out, err);
    if (command == QLatin1String("devices"))
        return Plain(command,
                     QStringLiteral("Lists the sound devices with their DeviceID, and each mixer's lines and controls "
                                    "(the recording input selector's items are the SourceLineIndex values)."),
                     rest, out, err, &Devices);
    if (command == QLatin1String("service"))
        return Service(rest, out, err);
    if (command == QLatin1String("record"))
        return RecordNow(rest, out, err);
    if (command == QLatin1String("sntp"))
        return Sntp(rest, out, err);
    if (command == QLatin1String("schedule"))
        return ManageSchedules(rest, out, err);
    Print(err, QStringLiteral("tolvane-cli: unknown command \"%1\"\n").arg(command) + QString::fromLatin1(kUsage));
    return 2;
}

}  // namespace tolvane::cli
