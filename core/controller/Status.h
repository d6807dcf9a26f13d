#pragma once
// The recording status and the controller's option enumerations; their numbers cross to the
// front-end, into the log and into the schedule file.

#include <QString>
#include <QtGlobal>

namespace tolvane {

enum class Status : qint32 {
    StartUp = 0,
    Idle = 1,
    Monitor = 2,
    PresetWave = 3,
    PresetWM = 4,
    ManualWave = 5,
    ManualWM = 6,
    ManualEndSetWave = 7,
    ManualEndSetWM = 8,
    ShutDown = 9,
};

enum class EndTimeSetter : qint32 { EndTime = 0, RecTime = 1 };
enum class EndTimeChecker : qint32 { nSample = 0, PCTime = 1 };

// "Idle", "PresetWave", ...; the number as text for a value outside the enumeration.
QString StatusName(Status s);

}  // namespace tolvane
