#include "ScheduleCommand.h"

#include "cli/CommandLine.h"
#include "cli/ScheduleListing.h"
#include "cli/ScheduleOptions.h"
#include "cli/ScheduleStore.h"
#include "core/schedule/ScheduleChecks.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace tolvane::cli {

namespace {

const char *kScheduleUsage =
    "usage: tolvane-cli schedule COMMAND [ARGUMENTS]\n"
    "\n"
    "commands:\n"
    "  list [--json]            every schedule with every field a user sets\n"
    "  add NAME --days DAYS --start hh:mm:ss (--end hh:mm:ss | --for hh:mm:ss) [OPTIONS]\n"
    "                           a new schedule, made from the default schedule like the window's\n"
    "                           new schedule; a name that is taken is refused\n"
    "  edit NAME [OPTIONS]      changes what the options give and nothing else\n"
    "  remove NAME              removes the schedule\n"
    "  enable NAME, disable NAME\n"
    "                           lets the schedule record, or keeps it without recording\n"
    "  postpone NAME [--start-delay hh:mm:ss] [--end-delay hh:mm:ss]\n"
    "                           moves its next start or end later, once\n"
    "\n"
    "NAME is a schedule's name, or #N for the N-th schedule as list counts them; where several\n"
    "schedules share a name, only the number says which. An end before the start is on the next\n"
    "day; an end equal to the start records 24 hours. Values are checked as the window's editor\n"
    "checks them, with its messages. Exit status: 0 done, 1 schedule.xml could not be read or\n"
    "saved, 2 an argument was refused (nothing is written), 3 the window runs this folder's\n"
    "timetable (change the schedules there). While tolvane-cli run holds the folder, the change is\n"
    "saved and the recorder reads it at once. tolvane-cli schedule COMMAND --help tells more.\n";

int Refuse(ConsoleOutput &console, const QString &problem)
{
    console.Error(problem);
    return 2;
}

// Another schedule than `except` has the name.
bool NameTaken(ClsController &c, const QString &name, const QString &except = {})
{
    for (const auto &entry : c.ScheduleList()) {
        if (entry.key != except && entry.schedule->Name() == name)
            return true;
    }
    return false;
}

QString DuplicateProblem(const QString &name)
{
    return ScheduleChecks::DuplicateNameQuestion() +
           QStringLiteral(" (a schedule named \"%1\" exists; give another name)").arg(name);
}

// The schedule file keeps only the settings of the schedule's format; the others come from the
// default schedule when it is read again, as after the window's editor.
void WarnUnkeptSettings(const ClsSchedule &s, const ScheduleOptions &options, ConsoleOutput &console)
{
    const FormatType f = s.RecordingFormat();
    if (f == FormatType::windowsmedia && options.SetsWave())
        console.Warning(QStringLiteral("a windowsmedia schedule keeps no WAVE settings; those given are not saved"));
    if (f != FormatType::MP3 && options.SetsMp3())
        console.Warning(QStringLiteral("only an mp3 schedule keeps MP3 settings; those given are not saved"));
}

// The editor's question before a WAVE recording that reaches 2 GB, which the command line
// answers with --yes.
bool SizeAccepted(const ClsSchedule &s, const ScheduleOptions &options, ConsoleOutput &console)
{
    if (s.RecordingFormat() == FormatType::windowsmedia || options.AcceptsLargeFiles())
        return true;
    const Seconds length = WrapDay(ParseTimeOfDay(s.EndTime()).value_or(Seconds(0)) -
                                   ParseTimeOfDay(s.StartTime()).value_or(Seconds(0)));
    if (!ScheduleChecks::ReachesWaveSizeLimit(*s.WaveSetting(), length))
        return true;
    console.Error(ScheduleChecks::WaveSizeQuestion() + QStringLiteral(" (--yes keeps it so)"));
    return false;
}

// Applies the options and makes the save folder, after the checks that need the schedule as it
// will be. Nothing, or the exit status after saying why.
std::optional<int> ApplyOptions(ClsSchedule &s, const ScheduleOptions &options, ConsoleOutput &console)
{
    QString problem;
    if (!options.Apply(s, problem))
        return Refuse(console, problem);
    if (!SizeAccepted(s, options, console))
        return 2;
    if (!options.MakeFolder(problem))
        return Refuse(console, problem);
    WarnUnkeptSettings(s, options, console);
    return std::nullopt;
}

int List(const QStringList &words, std::FILE *out, std::FILE *err)
{
    CommandLine line(QStringLiteral("schedule list"), QStringLiteral("[--json]"),
                     QStringLiteral("Shows every schedule with every field a user sets, named as the options of "
                                    "schedule add. Reads only."));
    line.Parser().addOption({QStringLiteral("json"), QStringLiteral("a JSON array, one object per schedule")});
    if (const auto done = line.Parse(words, 0, 0, out, err))
        return *done;
    ScheduleStore store(out, err);
    const std::optional<int> failed = store.Open(false);
    ClsController &c = store.Controller();
    QJsonArray array;
    QString text;
    qsizetype number = 0;
    for (const auto &entry : c.ScheduleList()) {
        const ScheduleListing listing(*entry.schedule, ++number, c.DefaultSavePath());
        array.append(listing.Json());
        text += (text.isEmpty() ? QString() : QStringLiteral("\n")) + listing.Text();
    }
    Print(out, line.IsSet(QStringLiteral("json")) ? QString::fromUtf8(QJsonDocument(array).toJson()) : text);
    return failed.value_or(0);
}

int Add(const QStringList &words, std::FILE *out, std::FILE *err)
{
    CommandLine line(QStringLiteral("schedule add"),
                     QStringLiteral("NAME --days DAYS --start hh:mm:ss (--end hh:mm:ss | --for hh:mm:ss) [OPTIONS]"),
                     QStringLiteral("Adds a schedule made from the default schedule, as the window's new schedule "
                                    "is; what the options do not give comes from there. A name that is taken is "
                                    "refused."));
    line.AddArgument(QStringLiteral("NAME"), QStringLiteral("the schedule's name"));
    ScheduleOptions::Declare(line.Parser(), ScheduleOptions::Command::Add);
    if (const auto done = line.Parse(words, 1, 1, out, err))
        return *done;
    ScheduleOptions options;
    QString problem;
    if (!options.Read(line.Parser(), problem))
        return line.Refuse(problem, err);
    if (!options.Has("days") || !options.Has("start") || !(options.Has("end") || options.Has("for")))
        return line.Refuse(QStringLiteral("schedule add needs --days, --start, and --end or --for"), err);
    const QString name = line.Words().first();
    if (name.isEmpty())
        return line.Refuse(QStringLiteral("the schedule needs a name"), err);

    ScheduleStore store(out, err);
    if (const auto failed = store.Open(true))
        return *failed;
    ClsController &c = store.Controller();
    if (NameTaken(c, name))
        return Refuse(store.Console(), DuplicateProblem(name));
    const std::shared_ptr<ClsSchedule> s = c.CreateNewSchedule();
    s->setName(name);
    if (const auto refused = ApplyOptions(*s, options, store.Console()))
        return *refused;
    const QString key = c.AddSchedule2List(s);
    if (!store.Save(name, QStringLiteral("ScheduleAdded")))
        return 1;
    Print(out, QStringLiteral("added \"%1\" as #%2\n").arg(name).arg(store.Number(key)));
    return 0;
}

int Edit(const QStringList &words, std::FILE *out, std::FILE *err)
{
    CommandLine line(QStringLiteral("schedule edit"), QStringLiteral("NAME [OPTIONS]"),
                     QStringLiteral("Changes what the options give, and nothing else, of the schedule NAME (or #N)."));
    line.AddArgument(QStringLiteral("NAME"), QStringLiteral("the schedule's name, or #N"));
    ScheduleOptions::Declare(line.Parser(), ScheduleOptions::Command::Edit);
    if (const auto done = line.Parse(words, 1, 1, out, err))
        return *done;
    ScheduleOptions options;
    QString problem;
    if (!options.Read(line.Parser(), problem))
        return line.Refuse(problem, err);

    ScheduleStore store(out, err);
    if (const auto failed = store.Open(true))
        return *failed;
    ClsController &c = store.Controller();
    const QString key = store.Find(line.Words().first(), problem);
    if (key.isEmpty())
        return Refuse(store.Console(), problem);
    const std::shared_ptr<ClsSchedule> s = c.CopyOfSchedule(*c.Schedule(key));
    if (options.NewName()) {
        if (NameTaken(c, *options.NewName(), key))
            return Refuse(store.Console(), DuplicateProblem(*options.NewName()));
        s->setName(*options.NewName());
    }
    if (const auto refused = ApplyOptions(*s, options, store.Console()))
        return *refused;
    c.ChangeSchedule(key, *s);
    if (!store.Save(s->Name(), QStringLiteral("ScheduleChanged")))
        return 1;
    Print(out, QStringLiteral("changed \"%1\" (#%2)\n").arg(s->Name()).arg(store.Number(key)));
    return 0;
}

// remove, enable, disable and postpone: one schedule, a small change.
int Simple(const QString &command, const QStringList &words, std::FILE *out, std::FILE *err)
{
    const bool postpone = command == QLatin1String("postpone");
    const QString description =
        command == QLatin1String("remove")   ? QStringLiteral("Removes the schedule NAME (or #N).")
        : command == QLatin1String("enable") ? QStringLiteral("Lets the schedule NAME (or #N) record.")
        : command == QLatin1String("disable")
            ? QStringLiteral("Keeps the schedule NAME (or #N) without letting it record.")
            : QStringLiteral("Moves the next start or end of the schedule NAME (or #N) later, once: the next "
                             "recording starts at its start plus the start delay and ends at its end plus the "
                             "end delay, and then the delays are gone.");
    CommandLine line(QStringLiteral("schedule ") + command,
                     postpone ? QStringLiteral("NAME [--start-delay hh:mm:ss] [--end-delay hh:mm:ss]") : QStringLiteral("NAME"),
                     description);
    line.AddArgument(QStringLiteral("NAME"), QStringLiteral("the schedule's name, or #N"));
    if (postpone)
        line.Parser().addOptions({{QStringLiteral("start-delay"), QStringLiteral("how much later the next recording starts"),
                                   QStringLiteral("hh:mm:ss")},
                                  {QStringLiteral("end-delay"), QStringLiteral("how much later the next recording ends"),
                                   QStringLiteral("hh:mm:ss")}});
    if (const auto done = line.Parse(words, 1, 1, out, err))
        return *done;
    std::optional<Seconds> startDelay, endDelay;
    if (postpone) {
        for (const auto &[option, into] : {std::pair{QStringLiteral("start-delay"), &startDelay},
                                           std::pair{QStringLiteral("end-delay"), &endDelay}}) {
            if (!line.IsSet(option))
                continue;
            *into = ParseTimeOfDay(line.Value(option));
            if (!*into)
                return line.Refuse(QStringLiteral("--%1 takes a time hh:mm:ss, not \"%2\"").arg(option, line.Value(option)), err);
        }
        if (!startDelay && !endDelay)
            return line.Refuse(QStringLiteral("schedule postpone needs --start-delay or --end-delay"), err);
    }

    ScheduleStore store(out, err);
    if (const auto failed = store.Open(true))
        return *failed;
    ClsController &c = store.Controller();
    QString problem;
    const QString key = store.Find(line.Words().first(), problem);
    if (key.isEmpty())
        return Refuse(store.Console(), problem);
    const qsizetype number = store.Number(key);
    const QString name = c.Schedule(key)->Name();
    if (command == QLatin1String("remove")) {
        c.DeleteSchedule(key);
    } else {
        const std::shared_ptr<ClsSchedule> s = c.CopyOfSchedule(*c.Schedule(key));
        if (postpone) {
            if (startDelay)
                s->setStartTimeDelay(*startDelay);
            if (endDelay)
                s->setEndTimeDelay(*endDelay);
        } else {
            s->setValid(command == QLatin1String("enable"));
        }
        c.ChangeSchedule(key, *s);
    }
    if (!store.Save(name, command == QLatin1String("remove") ? QStringLiteral("ScheduleDeleted")
                                                             : QStringLiteral("ScheduleChanged")))
        return 1;
    const QString done = command == QLatin1String("remove")    ? QStringLiteral("removed")
                         : command == QLatin1String("enable")  ? QStringLiteral("enabled")
                         : command == QLatin1String("disable") ? QStringLiteral("disabled")
                                                               : QStringLiteral("postponed");
    Print(out, QStringLiteral("%1 \"%2\" (#%3)\n").arg(done, name).arg(number));
    return 0;
}

}  // namespace

int ManageSchedules(const QStringList &words, std::FILE *out, std::FILE *err)
{
    const QString command = words.value(0);
    const QStringList rest = words.mid(1);
    if (command == QLatin1String("--help") || command == QLatin1String("-h")) {
        Print(out, QString::fromLatin1(kScheduleUsage));
        return 0;
    }
    if (command == QLatin1String("list"))
        return List(rest, out, err);
    if (command == QLatin1String("add"))
        return Add(rest, out, err);
    if (command == QLatin1String("edit"))
        return Edit(rest, out, err);
    for (const char *simple : {"remove", "enable", "disable", "postpone"}) {
        if (command == QLatin1String(simple))
            return Simple(command, rest, out, err);
    }
    Print(err, (command.isEmpty() ? QStringLiteral("tolvane-cli: schedule needs a command\n")
                                  : QStringLiteral("tolvane-cli: schedule has no command \"%1\"\n").arg(command)) +
                   QString::fromLatin1(kScheduleUsage));
    return 2;
}

}  // namespace tolvane::cli
