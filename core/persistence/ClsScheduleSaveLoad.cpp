#include "ClsScheduleSaveLoad.h"

#include "common/FileError.h"
#include "core/controller/ClsController.h"
#include "core/persistence/AtomicFile.h"
#include "core/persistence/LegacyScheduleFile.h"
#include "core/persistence/clsDOM.h"

#include <QFile>
#include <QFileInfo>

namespace tolvane {

namespace {

const QString kSource = QStringLiteral("ClsScheduleSaveLoad");

QString XmlPath(const ClsController &c)
{
    return c.Services()->appFolder + QStringLiteral("/schedule.xml");
}

// A file that failed to load may hold schedules that were never read; the save that replaces
// it keeps a copy first, replacing an older copy.
void KeepUnreadFile(const QString &path)
{
    QFile file(path);
    if (!file.exists())
        return;
    if (!file.open(QIODevice::ReadOnly))
        throw FileError(file, path, kSource);
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw FileError(file, path, kSource);
    WriteFileAtomically(path + QStringLiteral(".bak"), bytes, kSource);
}

}  // namespace

void ClsScheduleSaveLoad::LoadSchedule(ClsController &c)
{
    const QString folder = c.Services()->appFolder;
    if (QFileInfo::exists(XmlPath(c))) {
        clsDOM dom;
        dom.setFilePath(XmlPath(c));
        try {
            dom.LoadXML2Object(c);
        } catch (const NumberedError &) {
            c.setScheduleFileUnread(true);
            throw;
        }
        return;
    }

    c.gSelectEndTimeChecker = EndTimeChecker::nSample;
    c.gSelectEndTimeSetter = EndTimeSetter::EndTime;
    c.gSetTime = false;
    c.gSetTimeOnAppStart = false;
    c.gSetTimeOnPresetTime = false;
    c.gSetTimeServer.clear();
    c.gSetTimeTime = QStringLiteral("00:00:00");
    c.setDefaultSchedule(c.NewSchedule());
    // A new schedule's silence length of 0 would split a recording at every pause once silence
    // splitting is switched on; a new installation starts where a file without the value does.
    c.DefaultSchedule()->WaveSetting()->setNoSoundSeconds(4);

    const QString legacyPath = folder + QStringLiteral("/schedule.txt");
    if (QFileInfo::exists(legacyPath)) {
        LegacyScheduleFile(legacyPath).Load(c);
        return;
    }

    // A new user finds the recordings among their music, not in a hidden folder: the default
    // folder is the music folder, and new schedules save to the default folder.
    const QString firstRunFolder = c.Services()->firstRunSaveFolder;
    c.setDefaultSavePath(firstRunFolder.isEmpty() ? folder : firstRunFolder);
    if (!firstRunFolder.isEmpty())
        c.DefaultSchedule()->setSavePath(QString());
    c.setBufferLength(1);
    c.setNoSoundVolume(0);
}

void ClsScheduleSaveLoad::SaveSchedule(ClsController &c, const QString &)
{
    if (c.ScheduleFileUnread())
        KeepUnreadFile(XmlPath(c));
    clsDOM dom;
    dom.setFilePath(XmlPath(c));
    dom.SchedulesSaveAsXML(c);
    c.setScheduleFileUnread(false);
}

}  // namespace tolvane
