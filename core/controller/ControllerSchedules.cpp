// The controller's schedule operations, and what follows every change of the timetable: the
// wake alarm and the coming week's disk space.

#include "core/controller/ControllerInternal.h"

#include "common/DateTimeText.h"
#include "core/controller/DiskSpace.h"
#include "core/persistence/ClsScheduleSaveLoad.h"
#include "core/schedule/Occurrences.h"

namespace tolvane {

using namespace controller_detail;

std::shared_ptr<ClsSchedule> ClsController::NewSchedule() const
{
    return std::make_shared<ClsSchedule>(m_services);
}

std::shared_ptr<ClsSchedule> ClsController::CreateNewSchedule() const
{
    auto s = NewSchedule();
    s->CopyFrom(*m_defaultSchedule);
    return s;
}

QString ClsController::NewScheduleKey()
{
    return QStringLiteral("ID") + QString::number(m_scheduleCounter++);
}

QString ClsController::AddSchedule2List(std::shared_ptr<ClsSchedule> iSchedule)
{
    const QString id = NewScheduleKey();
    const QString name = iSchedule ? iSchedule->Name() : QString();
    m_schedules.Add(std::move(iSchedule), id);
    Log(name, QStringLiteral("ScheduleAdded"));
    TimetableChanged();
    return id;
}

std::shared_ptr<ClsSchedule> ClsController::Schedule(const QString &iID) const
{
    return m_schedules.Item(iID);
}

void ClsController::ChangeSchedule(const QString &iID, const ClsSchedule &iSchedule)
{
    m_schedules.Item(iID)->CopyFrom(iSchedule);
    Log(iSchedule.Name(), QStringLiteral("ScheduleChanged"));
    TimetableChanged();
}

qint32 ClsController::DeleteSchedule(const QString &iID)
{
    const QString name = m_schedules.Item(iID)->Name();
    m_schedules.Remove(iID);
    Log(name, QStringLiteral("ScheduleDeleted"));
    TimetableChanged();
    return 0;
}

void ClsController::setDefaultSchedule(std::shared_ptr<ClsSchedule> v)
{
    if (!v)
        throw NumberedError::Standard(ErrNo::ObjectNotSet, kSource);
    m_defaultSchedule = std::move(v);
    Log(QStringLiteral("Default"), QStringLiteral("DefaultScheduleChanged"));
}

void ClsController::TimetableChanged()
{
    // The wake alarm looks a day further than the week's disk estimate.
    const QDateTime now = m_services->clock->Now();
    std::vector<Occurrence> coming = OccurrencesBetween(m_schedules, now, now.addDays(8));
    ArmWakeAlarm(now, coming);
    std::erase_if(coming, [week = now.addDays(7)](const Occurrence &o) { return o.start >= week; });
    CheckWeekDiskSpace(coming);
}

void ClsController::ArmWakeAlarm(const QDateTime &now, const std::vector<Occurrence> &coming)
{
    QDateTime wake;
    if (gWakeFromSuspend) {
        for (const Occurrence &o : coming) {
            const QDateTime candidate = o.start.addSecs(-qint64{gWakeLeadSeconds});
            if (candidate > now) {
                wake = candidate;
                break;
            }
        }
    }
    if (wake == m_nextWake)
        return;
    m_nextWake = wake;
    if (m_services->wakeAlarm) {
        try {
            if (wake.isValid())
                m_services->wakeAlarm->Arm(wake);
            else
                m_services->wakeAlarm->Disarm();
            Log(QStringLiteral("WakeAlarm"), wake.isValid() ? QStringLiteral("Setted ") + GeneralDateTimeText(wake)
                                                              : QStringLiteral("Cleared"));
        } catch (const NumberedError &e) {
            emit OnError(e);
        }
    }
    emit OnWakeTimeChanged(wake);
}

void ClsController::CheckWeekDiskSpace(const std::vector<Occurrence> &week)
{
    const DiskSpace space(m_defaultSavePath, UseGOGO, m_services->freeSpace);
    QStringList shortNow;
    for (const FolderSpace &f : space.Estimate(week)) {
        if (!f.Short())
            continue;
        shortNow << f.folder;
        if (m_shortFolders.contains(f.folder))
            continue;  // said already; it is said again once the space has recovered and runs short anew
        const QString message = QStringLiteral("保存フォルダ %1 の空き容量が不足する見込みです。今後1週間の録音%2件に約%3必要ですが、空きは%4です。")
                                    .arg(f.folder)
                                    .arg(f.recordings)
                                    .arg(ByteSizeText(f.needed), ByteSizeText(f.available));
        emit OnWarning(message);
        try {
            Log(QStringLiteral("DiskSpace"), QStringLiteral("WeekShort ") + f.folder + QLatin1Char(' ') +
                                                 ByteSizeText(f.needed) + QLatin1Char('/') + ByteSizeText(f.available));
        } catch (const NumberedError &e) {
            emit OnError(e);
        }
    }
    m_shortFolders = shortNow;
}

void ClsController::WarnDiskSpace(const ClsSchedule &C)
{
    if (C.RecordingFormat() == FormatType::windowsmedia)
        return;
    const DiskSpace space(m_defaultSavePath, UseGOGO, m_services->freeSpace);
    const QString folder = space.FolderOf(C);
    const qint64 needed = space.Bytes(C, mlRecAllTime);
    const qint64 available = space.Free(folder);
    if (needed <= available)
        return;
    emit OnWarning(QStringLiteral("%1 の録音には約%2必要ですが、保存フォルダ %3 の空きは%4です。")
                       .arg(C.Name(), ByteSizeText(needed), folder, ByteSizeText(available)));
    Log(QStringLiteral("DiskSpace"), QStringLiteral("Short ") + C.Name() + QLatin1Char(' ') + ByteSizeText(needed) +
                                         QLatin1Char('/') + ByteSizeText(available));
}

void ClsController::ReloadSchedules()
{
    if (m_services->readOnly)
        return;
    // A capture in progress works on its own copy, so the list can be replaced under it.
    m_schedules.Clear();
    m_preparedFor.reset();
    gbParameterSetted = false;
    try {
        ClsScheduleSaveLoad().LoadSchedule(*this);
    } catch (const NumberedError &e) {
        emit OnError(e);
    }
    TimetableChanged();
}

std::shared_ptr<ClsSchedule> ClsController::CopyOfSchedule(const ClsSchedule &schedule) const
{
    auto copy = CreateNewSchedule();
    copy->CopyFrom(schedule);
    return copy;
}

}  // namespace tolvane
