#include "RecordCommand.h"

#include "cli/CommandLine.h"
#include "cli/RecorderSession.h"
#include "common/DateTimeText.h"

#include <QCoreApplication>
#include <QTimer>

namespace tolvane::cli {

namespace {

struct RecordOptions {
    std::optional<Seconds> length;
    QString scheduleName;
    QString url;
};

}  // namespace

int RecordNow(const QStringList &options, std::FILE *out, std::FILE *err)
{
    CommandLine line(QStringLiteral("record"), QStringLiteral("[--for hh:mm:ss] [--schedule NAME] [--url URL]"),
                     QStringLiteral("Records now with the default schedule's settings (or those of the schedule "
                                    "NAME), starting on the next second, for the given length or until Ctrl-C; from the "
                                    "internet radio stream URL when given."));
    line.Parser().addOptions(
        {{QStringLiteral("for"), QStringLiteral("how long to record"), QStringLiteral("hh:mm:ss")},
         {QStringLiteral("schedule"), QStringLiteral("record with this schedule's settings"), QStringLiteral("NAME")},
         {QStringLiteral("url"), QStringLiteral("record this stream (http or https) in place of the sound device"),
          QStringLiteral("URL")}});
    if (const auto done = line.Parse(options, 0, 0, out, err))
        return *done;
    RecordOptions opts;
    opts.scheduleName = line.Value(QStringLiteral("schedule"));
    opts.url = line.Value(QStringLiteral("url")).trimmed();
    if (line.IsSet(QStringLiteral("url")) && !ClsSchedule::IsStreamURL(opts.url))
        return line.Refuse(QStringLiteral("--url takes an http or https address of a stream"), err);
    if (line.IsSet(QStringLiteral("for"))) {
        opts.length = ParseTimeOfDay(line.Value(QStringLiteral("for")));
        if (!opts.length || opts.length->count() == 0)
            return line.Refuse(QStringLiteral("--for takes a length hh:mm:ss of at least one second"), err);
    }
    RecorderSession session(out, err);
    if (const auto failed = session.Open())
        return *failed;
    ClsController &controller = session.Controller();

    std::shared_ptr<ClsSchedule> named;
    if (!opts.scheduleName.isEmpty()) {
        for (const auto &entry : controller.ScheduleList())
            if (entry.schedule->Name() == opts.scheduleName)
                named = entry.schedule;
        if (!named) {
            session.Console().Error(QStringLiteral("no schedule is named \"%1\"").arg(opts.scheduleName));
            return 2;
        }
    }
    const std::shared_ptr<ClsSchedule> schedule =
        named ? controller.CopyOfSchedule(*named) : controller.CreateNewSchedule();
    if (!opts.url.isEmpty())
        schedule->setStreamURL(opts.url);

    int finished = 0;
    QObject::connect(&controller, &ClsController::OnCaptureFileFinished, [&] { ++finished; });
    QObject::connect(&controller, &ClsController::OnStatusChanged, [&](tolvane::Status s) {
        // The recording is over (by its end time, a failure, or a stop).
        if (s == tolvane::Status::Idle)
            session.ExitWhenFinished(0, true);
    });
    QObject::connect(&controller, &ClsController::OnUnload, [&](bool &) { session.ExitWhenFinished(0, true); });

    // Like a timetable recording, it starts on the second.
    const QDateTime now = QDateTime::currentDateTime();
    const int toNextSecond = 1000 - now.time().msec();
    QTimer::singleShot(toNextSecond, Qt::PreciseTimer, qApp, [&] {
        const QDateTime start = QDateTime::currentDateTime();
        session.Console().Line(QStringLiteral("recording \"%1\"%2").arg(schedule->Name(), opts.length ? QStringLiteral(" for %1").arg(FormatTimeOfDay(*opts.length)) : QStringLiteral(" until Ctrl-C")));
        controller.StartOnTimeCapture(schedule);
        if (!controller.IsCapturing()) {
            session.ExitWhenFinished(1, false);
            return;
        }
        if (opts.length)
            controller.setCaptureEndTime(WrapDay(SecondsOfDay(start) + *opts.length));
    });
    const int status = session.Exec();
    if (status == 0 && (finished == 0 || session.HadErrors()))
        return 1;
    return status;
}

}  // namespace tolvane::cli
