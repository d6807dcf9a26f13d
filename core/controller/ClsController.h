#pragma once
// The one object through which a front-end drives the recorder: it owns the schedules and the
// options, runs the timetable, starts and stops captures, encodes finished files, and raises
// events for everything that happens.

#include "common/ClsLogSaver.h"
#include "common/NumberedError.h"
#include "core/capture/ICapturePipeline.h"
#include "core/controller/ClsEncodeSchedule.h"
#include "core/controller/MixerSelection.h"
#include "core/controller/Status.h"
#include "core/platform/CoreServices.h"
#include "core/schedule/ClsSchedule.h"
#include "core/schedule/ColExecuteList.h"
#include "core/schedule/ColSchedule.h"
#include "core/schedule/Occurrences.h"

#include <QDateTime>
#include <QObject>
#include <QSet>
#include <QString>

#include <deque>
#include <memory>
#include <utility>
#include <vector>

namespace tolvane {

class ClsNTP;
class IWavFile2MP3;

class ClsController : public QObject {
    Q_OBJECT
public:
    explicit ClsController(std::shared_ptr<CoreServices> services, QObject *parent = nullptr);
    ~ClsController() override;

    // Loads schedules and options, starts the tick, probes the encoders, optionally sets the
    // clock, and enters Idle. A load error is raised after every other step has been done.
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
    // Unattended recording: wake a suspended machine before each recording (lead time in
    // seconds), and start a recording late when the recorder comes up inside its time.
    bool gWakeFromSuspend = false;
    qint32 gWakeLeadSeconds = 120;
    bool gStartMissedRecordings = false;

    bool MonitorBeforeRec() const { return m_monitorBeforeRec; }
    void setMonitorBeforeRec(bool v) { m_monitorBeforeRec = v; }
    // 0 idle, 1 below normal, 2 normal, 3 above normal, 4 high; recorded only.
    void SetPriority(qint32 iPriorityIndex);
    qint32 PriorityIndex() const { return m_priorityIndex; }
    // True while MP3 encodes are queued or running.
    bool WaitForGOGO() const { return !m_encodeQueue.empty(); }
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
    // The private copy of the schedule being captured or monitored (kept after the stop).
    std::shared_ptr<ClsSchedule> CapturingSchedule() const { return m_capturingSchedule; }
    std::shared_ptr<ClsSchedule> DefaultSchedule() const { return m_defaultSchedule; }
    void setDefaultSchedule(std::shared_ptr<ClsSchedule> v);

    // Captures. None of these fails towards the caller except StopMonitor; errors go to OnError.
    void StartOnTimeCapture(const std::shared_ptr<ClsSchedule> &iSchedule);
    void StopCapture();
    void StartMonitor();
    void StopMonitor();
    // The time of day at which the current capture ends; setting it is the user's end time.
    Seconds CaptureEndTime() const { return m_captureEndTime; }
    void setCaptureEndTime(Seconds T);
    // Whole seconds from now to CaptureEndTime on the same day; throws 91 when nothing was captured.
    qint32 LastCaptureTimeBySecond() const;

    // True while a stopped recording's last files are still being closed.
    bool CaptureFinishing() const { return m_stoppingRun != nullptr; }
    bool IsCapturing() const;

    // The moment the wake alarm is set for (invalid when none is): the next recording's start
    // minus the lead time.
    QDateTime NextWakeTime() const { return m_nextWake; }
    // Recomputes the wake alarm and checks the coming week's disk space; called after every
    // change of the timetable and every recording.
    void TimetableChanged();
    // Reads "schedule.xml" again (the service's SIGHUP); a running recording goes on untouched.
    void ReloadSchedules();

    // One step of the timetable; the program's timer calls it every 100 ms, tests call it directly.
    void Tick();
    // Asks the time server and sets the clock from its answer; the outcome arrives later.
    void SetTimeFromServer();

    // Core-internal: the list itself (for the schedule files), a new identifier, a new schedule.
    ColSchedule &ScheduleList() { return m_schedules; }
    QString NewScheduleKey();
    std::shared_ptr<ClsSchedule> NewSchedule() const;
    const std::shared_ptr<CoreServices> &Services() const { return m_services; }
    ColExecuteList &ExecuteList() { return m_executeList; }
    // Core-internal: "schedule.xml" failed to load, so the next save keeps it as
    // "schedule.xml.bak" before replacing it.
    bool ScheduleFileUnread() const { return m_scheduleFileUnread; }
    void setScheduleFileUnread(bool v) { m_scheduleFileUnread = v; }
    // A line for the activity log from the front-end, in the log's own form ("subject
    // date-timeevent") or as it is; written while logging is on. A line that cannot be written is
    // dropped (with one warning), so a failing log never becomes an error of its own.
    void WriteLog(const QString &subject, const QString &event);
    void WriteLogLine(const QString &line);
    // A schedule of this controller's services holding everything of `schedule`: the private
    // copy a dialog or a recording works on.
    std::shared_ptr<ClsSchedule> CopyOfSchedule(const ClsSchedule &schedule) const;

signals:
    void OnStatusChanged(tolvane::Status Status);
    void OnSetParameter(std::shared_ptr<tolvane::ClsSchedule> Schedule, tolvane::Status Status);
    void OnStartCapture();
    void OnArriveWaveData8(std::vector<quint8> &WaveData);
    void OnArriveWaveData16(std::vector<qint16> &WaveData);
    void OnStopCapture();
    void OnUnload(bool &Cancel);
    void OnError(const tolvane::NumberedError &Err);
    // A recording file has been completed (a WAVE file or a real-time MP3 part).
    void OnCaptureFileFinished(const QString &FilePath);
    // How far the MP3 encode of FilePath has come, 0 to 1.
    void OnEncodeProgress(const QString &FilePath, double Fraction);
    // The clock-setting step has ended; Succeeded tells whether the clock was set.
    void OnTimeSet(bool Succeeded);
    // Something the user should know that stops nothing (disk space running short).
    void OnWarning(const QString &Message);
    // The wake alarm was set for another moment (invalid: none).
    void OnWakeTimeChanged(const QDateTime &WakeTime);

private:
    // One capture pipeline's recording, kept until the pipeline is replaced, so that files it
    // finishes after the stop are still handled with its own schedule and settings.
    struct CaptureRun {
        std::shared_ptr<ICapturePipeline> pipeline;
        std::shared_ptr<ClsSchedule> schedule;
        bool encodeAfterCapture = false;
        bool stopped = false;  // StopCapture has been called for it
        bool closed = false;   // every file of it is closed
    };

    void SetStatus(tolvane::Status s);
    // Appends "subject date-timeevent" while gMakeLog is on. A log that cannot be written
    // stops nothing: it is said once (OnWarning), until a line gets through again.
    void Log(const QString &subject, const QString &event);
    void AppendToLog(const QString &line);

    // Errors of operations that report instead of failing: collected statement by statement,
    // then raised through OnError at the reporting points.
    template <typename F>
    void Attempt(F &&statement);
    void Report();

    // leadSeconds: how far ahead of its start the capture is prepared (its files are named for
    // the start). lateUntil: a start after its time, recording until that end.
    void PrepareCapture(const std::shared_ptr<ClsSchedule> &S, int leadSeconds, const QDateTime *lateUntil = nullptr);
    QString RecordingFolder(const ClsSchedule &C) const;
    // from: the moment whose sound opens the recording.
    void BeginCapture(const QDateTime &from);
    void StartOnTime(const std::shared_ptr<ClsSchedule> &S, const QDateTime *lateUntil = nullptr);
    void UseUpOccurrence(ClsSchedule &S);
    // Drops a preparation that will not be started.
    void DiscardPreparation();
    bool CatchUpMissedStart(const QDateTime &now);
    QString OccurrenceKey(const ClsSchedule &S, const QDateTime &now) const;
    void ArmWakeAlarm(const QDateTime &now, const std::vector<Occurrence> &coming);
    void CheckWeekDiskSpace(const std::vector<Occurrence> &week);
    void WarnDiskSpace(const ClsSchedule &C);
    void OnTimeAnswer(const QDateTime &serverTime);
    void CheckEndTime();
    void ApplyMixerSelection();
    void RestoreMixerSelection();
    std::shared_ptr<CaptureRun> NewPipelineRun();
    void QueueBeforeProgram(ClsSchedule &schedule, Seconds limit);
    // Starts the queued programs; refused ones are reported (at the next report) and dropped.
    void RunPrograms();
    void PowerAndQuitActions(const ClsSchedule &schedule, bool defer);
    void DeferredActions();
    void ForgetDeferredActions();
    void Quit();
    void Release();

    void OnPipelineBlock16(const std::shared_ptr<CaptureRun> &run, std::vector<qint16> &block);
    void OnPipelineBlock8(const std::shared_ptr<CaptureRun> &run, std::vector<quint8> &block);
    bool CountSamples(qsizetype &count);
    void OnPipelineFileFinished(const std::shared_ptr<CaptureRun> &run, const QString &path);
    void OnPipelineClosed(const std::shared_ptr<CaptureRun> &run);
    void WireWindowsMedia(ClsICapture2Output *output);
    // Once per recording whose sound source lost frames (they were recorded as silence).
    void OnSoundLost(const std::shared_ptr<ClsSchedule> &schedule, qint64 frames, qint32 rate);
    // The sound source of a schedule's recording said something: logged, and shown when it is
    // a message for the user.
    void OnSourceNotice(const std::shared_ptr<ClsSchedule> &schedule, const QString &event, const QString &message);
    void CreateEncoder();
    void StartEncodeJob(const ClsEncodeSchedule &job);
    void OnFinishEncode();
    void LogEncode(const QString &event);
    template <typename T>
    void DisposeLater(T holder);

    std::shared_ptr<CoreServices> m_services;
    ClsLogSaver m_log;
    ColSchedule m_schedules;
    ColExecuteList m_executeList;
    std::shared_ptr<ClsSchedule> m_defaultSchedule;
    tolvane::Status m_status = tolvane::Status::StartUp;
    QString m_defaultSavePath;
    double m_noSoundVolume = 0;
    qint32 m_bufferLength = 1;
    bool m_monitorBeforeRec = false;
    qint32 m_priorityIndex = 2;
    qint32 m_scheduleCounter = 0;
    bool m_released = false;

    // The capture session.
    std::shared_ptr<ClsSchedule> m_capturingSchedule;
    std::shared_ptr<ClsSchedule> m_preparedSchedule;
    std::shared_ptr<ClsSchedule> m_preparedFor;  // the stored schedule the preparation was made for
    std::shared_ptr<ClsICapture2Output> m_preparedOutput;
    std::shared_ptr<ClsICapture2Output> m_activeOutput;
    std::shared_ptr<CaptureRun> m_run;                       // the current pipeline's run
    std::vector<std::shared_ptr<CaptureRun>> m_retiredRuns;  // earlier runs still finishing
    std::shared_ptr<CaptureRun> m_stoppingRun;               // the run whose end the deferred actions wait for
    MixerSelection m_mixerSelection;
    ClsICapture2Output *m_wiredWindowsMedia = nullptr;  // the Windows Media output whose events are connected
    Seconds m_captureEndTime{0};
    QDateTime m_captureStart;  // the moment whose sound opened the current recording
    qint32 m_secondsCaptured = 0;
    qint32 m_carriedSamples = 0;
    bool m_stopRequest = false;
    bool m_inTick = false;
    QString m_lastStartedKey;  // the occurrence the tick started last (schedule, day, time)
    struct FailedStart {
        QString key;
        std::weak_ptr<ClsSchedule> schedule;
        QDateTime nextAttempt;
    } m_failedStart;                // an occurrence whose start failed, tried again while it is due
    QString m_monitorFailedFor;    // occurrences whose monitoring failed are not monitored again
    QString m_prepareFailedFor;    // nor prepared ahead again
    QDateTime m_preparedUntil;     // a preparation ahead is of no use after this moment
    // Errors met for one occurrence are reported once, however often it is tried.
    QString m_occurrenceScope;
    QString m_reportedFor;
    QSet<QString> m_reportedErrors;
    struct OccurrenceScope {
        OccurrenceScope(ClsController &c, QString key) : c(c), previous(std::exchange(c.m_occurrenceScope, std::move(key))) {}
        ~OccurrenceScope() { c.m_occurrenceScope = previous; }
        OccurrenceScope(const OccurrenceScope &) = delete;
        OccurrenceScope &operator=(const OccurrenceScope &) = delete;
        ClsController &c;
        QString previous;
    };
    QDateTime m_lastTick;
    QDateTime m_nextWake;
    QStringList m_shortFolders;  // folders already warned about
    QString m_lastPresetClockSecond;

    // The after-capture chain.
    std::deque<ClsEncodeSchedule> m_encodeQueue;
    std::shared_ptr<IWavFile2MP3> m_gogo;
    bool m_jobFailed = false;
    bool m_deferHibernate = false;
    bool m_deferExitWindows = false;
    bool m_deferQuit = false;

    std::unique_ptr<ClsNTP> m_ntp;
    bool m_timeRequestWaiting = false;  // a clock setting asked for while a query ran
    std::vector<NumberedError> m_pending;
    std::vector<std::shared_ptr<void>> m_graveyard;
    bool m_scheduleFileUnread = false;
    bool m_logFailing = false;  // the last line could not be written (and that was said)
};

}  // namespace tolvane
