#pragma once
// When the timetable records: the occurrences (start and end on the local wall clock) of the
// valid schedules around a moment, for waking the machine, estimating disk space and catching
// up with starts that were missed.

#include "core/schedule/ColSchedule.h"

#include <QDateTime>

#include <memory>
#include <vector>

namespace tolvane {

struct Occurrence {
    std::shared_ptr<ClsSchedule> schedule;
    QDateTime start;  // local; the one-shot start delay applied to the schedule's next occurrence;
                      // a start in a skipped hour is the moment the clock resumes
    QDateTime end;    // local; after the start (equal start and end times mean 24 hours)

    qint64 Seconds() const { return start.secsTo(end); }
};

// Occurrences that start in [from, until), in start order.
std::vector<Occurrence> OccurrencesBetween(const ColSchedule &list, const QDateTime &from, const QDateTime &until);

// Occurrences that have started by `now` and not yet ended, in start order.
std::vector<Occurrence> OccurrencesRunningAt(const ColSchedule &list, const QDateTime &now);

}  // namespace tolvane
