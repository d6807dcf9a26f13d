#pragma once
// The one object through which a front-end drives the recorder: it owns the schedules and the
// options, keeps the recording status and raises events for everything that happens.

#include "common/ClsLogSaver.h"
#include "common/NumberedError.h"
#include "core/controller/ClsEncodeSchedule.h"
#include "core/controller/Status.h"
#include "core/platform/CoreServices.h"
#include "core/schedule/ClsSchedule.h"
#include "core/schedule/ColSchedule.h"

#include <QObject>
#include <QString>

#include <deque>
#include <memory>
#include <vector>

namespace tolvane {

class ClsController : public QObject {
    Q_OBJECT
public:
    explicit ClsController(std::shared_ptr<CoreServices> services, QObject *parent = nullptr);
    ~ClsController() override;

    // Loads schedules and options, starts the tick, probes the encoders and enters Idle.
    // A load error is raised after every other step has been done.
    void Setup();
    tolvane::Status Status() const { return m_status; }
    // Saves everything to "schedule.xml"; failures go to OnError and the log, never to the caller.
    void SaveSetting();
    QString GetVersion() const;

    // Options read and written directly by the front-end and the schedule files.
    bool UseWME = false;
    bool UseGOGO = false;
    bool gbAskSaveSetting = false;
    bool gMakeLog = false;
    EndTimeSetter gSelectEndTimeSetter = EndTimeSetter::EndTime;
    EndTimeChecker gSelectEndTimeChecker = EndTimeChecker::nSample;
    bool gSetTime = false;
    bool gSetTimeOnAppStart = false;
    bool gSetTimeOnPresetTime = false;
    QString gSetTimeTime;
    QString gSetTimeServer;
    qint32 mlRecAllTime = 0;
    bool gbParameterSetted = false;

    bool MonitorBeforeRec() const { return m_monitorBeforeRec; }
    void setMonitorBeforeRec(bool v) { m_monitorBeforeRec = v; }
    // 0 idle, 1 below normal, 2 normal, 3 above normal, 4 high; recorded only.
    void SetPriority(qint32 iPriorityIndex);
    qint32 PriorityIndex() const { return m_priorityIndex; }
    bool WaitForGOGO() const;
    qint32 BufferLength() const { return m_bufferLength; }
    void setBufferLength(qint32 v);
    double NoSoundVolume() const { return m_noSoundVolume; }
    void setNoSoundVolume(double v);
    const QString &DefaultSavePath() const { return m_defaultSavePath; }
    void setDefaultSavePath(const QString &P);

    // Schedule operations by identifier ("ID0", "ID1", ...).
    qint32 nSchedules() const { return static_cast<qint32>(m_schedules.Count()); }
    std::shared_ptr<ClsSchedule> CreateNewSchedule() const;
    QString AddSchedule2List(std::shared_ptr<ClsSchedule> iSchedule);
    std::shared_ptr<ClsSchedule> Schedule(const QString &iID) const;
    void ChangeSchedule(const QString &iID, const ClsSchedule &iSchedule);
    qint32 DeleteSchedule(const QString &iID);
    std::shared_ptr<ClsSchedule> CapturingSchedule() const { return m_capturingSchedule; }
    std::shared_ptr<ClsSchedule> DefaultSchedule() const { return m_defaultSchedule; }
    void setDefaultSchedule(std::shared_ptr<ClsSchedule> v);

    // One step of the timetable; the program's timer calls it every 100 ms, tests call it directly.
    void Tick();

    // Core-internal: the list itself (for the schedule files), a new identifier, a new schedule.
    ColSchedule &ScheduleList() { return m_schedules; }
    QString NewScheduleKey();
    std::shared_ptr<ClsSchedule> NewSchedule() const;
    const std::shared_ptr<CoreServices> &Services() const { return m_services; }
    // Core-internal: "schedule.xml" failed to load, so the next save keeps it as
    // "schedule.xml.bak" before replacing it.
    bool ScheduleFileUnread() const { return m_scheduleFileUnread; }
    void setScheduleFileUnread(bool v) { m_scheduleFileUnread = v; }

signals:
    void OnStatusChanged(tolvane::Status Status);
    void OnSetParameter(std::shared_ptr<tolvane::ClsSchedule> Schedule, tolvane::Status Status);
    void OnStartCapture();
    void OnArriveWaveData8(std::vector<quint8> &WaveData);
    void OnArriveWaveData16(std::vector<qint16> &WaveData);
    void OnStopCapture();
    void OnUnload(bool &Cancel);
    void OnError(const tolvane::NumberedError &Err);

private:
    void SetStatus(tolvane::Status s);
    // Appends "subject date-timeevent" while gMakeLog is on; file errors reach the caller.
    void Log(const QString &subject, const QString &event) const;

    std::shared_ptr<CoreServices> m_services;
    ClsLogSaver m_log;
    ColSchedule m_schedules;
    std::shared_ptr<ClsSchedule> m_defaultSchedule;
    std::shared_ptr<ClsSchedule> m_capturingSchedule;
    std::deque<ClsEncodeSchedule> m_encodeQueue;
    tolvane::Status m_status = tolvane::Status::StartUp;
    QString m_defaultSavePath;
    double m_noSoundVolume = 0;
    qint32 m_bufferLength = 1;
    bool m_monitorBeforeRec = false;
    qint32 m_priorityIndex = 2;
    qint32 m_scheduleCounter = 0;
    bool m_scheduleFileUnread = false;
};

}  // namespace tolvane
