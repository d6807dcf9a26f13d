#include "Occurrences.h"

#include <algorithm>

namespace tolvane {

namespace {

// A wall-clock time of day on a date (seconds past its midnight, more than a day reaching into
// the next days). A time the clock skips (the hour lost to daylight saving) is the moment the
// clock resumes, so that such a recording still happens, once.
QDateTime Wall(const QDate &date, qint64 secondsOfDay)
{
    const qint64 days = secondsOfDay / kDay.count();
    const qint64 rest = secondsOfDay - days * kDay.count();
    const QDate day = date.addDays(days);
    const QTime time = QTime::fromMSecsSinceStartOfDay(static_cast<int>(rest * 1000));
    QDateTime moment(day, time);
    for (int minute = 1; !moment.isValid() && minute <= 180; ++minute)
        moment = QDateTime(day, QTime(time.hour(), time.minute()).addSecs(60 * minute));
    return moment;
}

// Seconds from one time of day to the next time the clock shows another; equal times are a day.
qint64 LengthBetween(qint64 fromSecondsOfDay, qint64 toSecondsOfDay)
{
    const qint64 length = WrapDay(Seconds(toSecondsOfDay - fromSecondsOfDay)).count();
    return length == 0 ? kDay.count() : length;
}

// Every occurrence of the schedules set for a day in [firstDay, lastDay]. The one-shot delays
// belong to the first occurrence that has not ended at `reference`.
std::vector<Occurrence> Around(const ColSchedule &list, const QDate &firstDay, const QDate &lastDay,
                               const QDateTime &reference)
{
    std::vector<Occurrence> all;
    for (const auto &entry : list) {
        const ClsSchedule &s = *entry.schedule;
        const auto start = s.StartTimeOfDay();
        const auto end = ParseTimeOfDay(s.EndTime());
        if (!s.Valid() || !start || !end)
            continue;
        const qint64 delay = WrapDay(s.StartTimeDelay()).count();
        const qint64 endDelay = WrapDay(s.EndTimeDelay()).count();
        const qint64 length = LengthBetween(start->count(), end->count());
        const qint64 delayedLength = LengthBetween(start->count() + delay, end->count() + endDelay);
        bool delayPending = delay + endDelay > 0;
        for (QDate day = firstDay; day <= lastDay; day = day.addDays(1)) {
            if (s.StartDay(day.dayOfWeek() % 7) != 1)
                continue;
            if (delayPending) {
                const QDateTime delayed = Wall(day, start->count() + delay);
                if (delayed.addSecs(delayedLength) > reference) {
                    all.push_back({entry.schedule, delayed, delayed.addSecs(delayedLength)});
                    delayPending = false;
                    continue;
                }
            }
            const QDateTime begin = Wall(day, start->count());
            all.push_back({entry.schedule, begin, begin.addSecs(length)});
        }
    }
    std::stable_sort(all.begin(), all.end(), [](const Occurrence &a, const Occurrence &b) { return a.start < b.start; });
    return all;
}

}  // namespace

std::vector<Occurrence> OccurrencesBetween(const ColSchedule &list, const QDateTime &from, const QDateTime &until)
{
    std::vector<Occurrence> result;
    for (Occurrence &o : Around(list, from.date().addDays(-1), until.date().addDays(1), from))
        if (o.start >= from && o.start < until)
            result.push_back(std::move(o));
    return result;
}

std::vector<Occurrence> OccurrencesRunningAt(const ColSchedule &list, const QDateTime &now)
{
    std::vector<Occurrence> result;
    // A recording can last up to a day, plus a start delay of up to a day.
    for (Occurrence &o : Around(list, now.date().addDays(-2), now.date(), now))
        if (o.start <= now && now < o.end)
            result.push_back(std::move(o));
    return result;
}

}  // namespace tolvane
