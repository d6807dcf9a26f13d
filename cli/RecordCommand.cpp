#include "RecordCommand.h"

#include "cli/RecorderSession.h"
#include "common/DateTimeText.h"

#include <QCoreApplication>
#include <QTimer>

namespace tolvane::cli {

namespace {

struct RecordOptions {
    std::optional<Seconds> length;
    QString scheduleName;
    QString problem;
};

RecordOptions Parse(const QStringList &options)
{
    RecordOptions r;
    for (qsizetype i = 0; i < options.size(); ++i) {
        const QString &o = options.at(i);
        if ((o == QLatin1String("--for") || o == QLatin1String("--schedule")) && i + 1 >= options.size()) {
            r.problem = QStringLiteral("%1 needs a value").arg(o);
        } else if (o == QLatin1String("--for")) {
            r.length = ParseTimeOfDay(options.at(++i));
            if (!r.length || r.length->count() == 0)
                r.problem = QStringLiteral("--for takes a length hh:mm:ss of at least one second");
        } else if (o == QLatin1String("--schedule")) {
            r.scheduleName = options.at(++i);
        } else {
            r.problem = QStringLiteral("unknown option \"%1\"").arg(o);
        }
        if (!r.problem.isEmpty())
            break;
    }
    return r;
}

}  // namespace

int RecordNow(const QStringList &options, std::FILE *out, std::FILE *err)
{
    const RecordOptions opts = Parse(options);
    RecorderSession session(out, err);
    if (!opts.problem.isEmpty()) {
        session.Console().Error(opts.problem);
        return 2;
    }
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
