#pragma once
// The texts of one row of the schedule list, one function per column, so that the list and
// anything else that describes a schedule say the same thing.

#include "core/schedule/ClsSchedule.h"

#include <QString>

namespace tolvane::RowText {

// The day names of the recording days, Sunday first, without separator ("月水金").
QString Days(const ClsSchedule &s);
// "有効" or "無効".
QString Valid(const ClsSchedule &s);
// "WAVE形式16bit44100Hz2Ch", "MP3CBR128kbpsWAVE形式...", "WindowsMedia形式<session file>".
QString Format(const ClsSchedule &s);
// The schedule's folder, or "標準の保存先" and the default folder when it has none.
QString SavePath(const ClsSchedule &s, const QString &defaultSavePath);
// "hh:mm:ss毎" when split by time, else "無効".
QString SplitByTime(const ClsSchedule &s);
QString SplitNoSound(const ClsSchedule &s);
// Which ends of the recording have their silence cut.
QString Cut(const ClsSchedule &s);

}  // namespace tolvane::RowText
