#pragma once
// The options of `tolvane-cli schedule add` and `schedule edit` that set a schedule's fields:
// declared on the command's parser, read and checked before the schedules are loaded, and
// applied to one schedule afterwards, only what was given.

#include "core/schedule/ClsSchedule.h"

#include <QCommandLineParser>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

namespace tolvane::cli {

class ScheduleOptions {
public:
    enum class Command { Add, Edit };

    static void Declare(QCommandLineParser &parser, Command command);

    // Reads what was given; false, with the reason in `problem`, for anything the window's
    // editor would not take (with the editor's message where it has one).
    bool Read(const QCommandLineParser &parser, QString &problem);

    // Applies the options to `s`, writing nothing. Fails, with the reason, for a program that
    // is not there.
    bool Apply(ClsSchedule &s, QString &problem) const;
    // Makes a save folder that is missing (the last step before the schedules are saved, so
    // that a refused change makes nothing). False, with the reason, when it cannot be made.
    bool MakeFolder(QString &problem) const;

    bool Has(const char *option) const;
    // Whether WAVE or MP3 settings were given: the schedule file keeps the WAVE settings of WAVE
    // and MP3 schedules only, and the MP3 settings of MP3 schedules only.
    bool SetsWave() const;
    bool SetsMp3() const;
    // --rename's new name, when given.
    const std::optional<QString> &NewName() const { return m_newName; }
    // --yes: keep a WAVE recording that reaches 2 GB (it is split then).
    bool AcceptsLargeFiles() const { return m_yes; }

private:
    using Change = std::function<void(ClsSchedule &)>;

    // Reads one option if given; false with `problem` set when its value is refused.
    bool ReadTimes(const QCommandLineParser &parser, QString &problem);
    bool ReadWave(const QCommandLineParser &parser, QString &problem);
    bool ReadMp3(const QCommandLineParser &parser, QString &problem);
    bool ReadAround(const QCommandLineParser &parser, QString &problem);

    std::vector<Change> m_changes;
    QStringList m_given;
    std::optional<Seconds> m_start;
    std::optional<Seconds> m_end;
    std::optional<Seconds> m_length;
    std::optional<QString> m_folder;
    std::optional<QString> m_beforeProgram;
    std::optional<QString> m_afterProgram;
    std::optional<QString> m_newName;
    bool m_yes = false;
};

}  // namespace tolvane::cli
