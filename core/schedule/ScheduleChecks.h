#pragma once
// The checks the schedule editor and its dialogs make before they take a value, with the
// messages they show: the window and `tolvane-cli schedule` refuse the same things in the same
// words.

#include "core/schedule/TimeOfDay.h"

#include <QString>

#include <optional>

namespace tolvane {

class ClsWave;

class ScheduleChecks {
public:
    // A file-name template: "\" only before M, Y, D, h, m, s or N, "/" only before M, Y or D,
    // and none of ? * ; , : < > | and the double quote.
    static bool IsValidFileNameTemplate(const QString &text);
    static QString FileNameTemplateMessage();

    // The seconds before the start at which the before-program runs: a whole number of at least 1.
    static std::optional<qint32> BeforeExecuteSeconds(const QString &text);
    static QString BeforeExecuteSecondsMessage();

    // The length of silence at which a recording is split: a whole number of seconds, at least 1.
    static std::optional<double> SplitSeconds(const QString &text);
    static QString SplitSecondsMessage();

    // Splitting by time needs parts of at least one second.
    static bool SplitTimeAccepted(bool splitByTime, Seconds splitTime);
    static QString SplitTimeMessage();

    // The silence level in dB: a number not above 0, or "-inf".
    static bool NoSounddBAccepted(const QString &text);
    static QString NoSounddBMessage();

    // A WAVE recording of `length` reaches the 2 GB a WAVE file holds (it is then split).
    static bool ReachesWaveSizeLimit(const ClsWave &wave, Seconds length);
    static QString WaveSizeQuestion();

    // Asked when another schedule has the name.
    static QString DuplicateNameQuestion();
};

}  // namespace tolvane
