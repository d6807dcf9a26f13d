#include "ClsScheduleSaveLoad.h"

#include "common/NumberedError.h"
#include "core/controller/ClsController.h"

#include <QFileInfo>

namespace tolvane {

namespace {
const QString kSource = QStringLiteral("ClsScheduleSaveLoad");
}

void ClsScheduleSaveLoad::LoadSchedule(ClsController &c)
{
    const QString folder = c.Services()->appFolder;
    if (QFileInfo::exists(folder + QStringLiteral("/schedule.xml")))
        throw NumberedError(ErrNo::PathFileAccess, QStringLiteral("schedule.xml: reading is not available yet"), kSource);

    c.gSelectEndTimeChecker = EndTimeChecker::nSample;
    c.gSelectEndTimeSetter = EndTimeSetter::EndTime;
    c.gSetTime = false;
    c.gSetTimeOnAppStart = false;
    c.gSetTimeOnPresetTime = false;
    c.gSetTimeServer.clear();
    c.gSetTimeTime = QStringLiteral("00:00:00");
    c.setDefaultSchedule(c.NewSchedule());

    if (QFileInfo::exists(folder + QStringLiteral("/schedule.txt")))
        throw NumberedError(ErrNo::PathFileAccess, QStringLiteral("schedule.txt: reading is not available yet"), kSource);

    c.setDefaultSavePath(folder);
    c.setBufferLength(1);
    c.setNoSoundVolume(0);
}

void ClsScheduleSaveLoad::SaveSchedule(ClsController &, const QString &)
{
    throw NumberedError(ErrNo::PathFileAccess, QStringLiteral("schedule.xml: writing is not available yet"), kSource);
}

}  // namespace tolvane
