#include "ClsController.h"

#include "common/DateTimeText.h"
#include "core/capture/ICaptureFactory.h"
#include "core/capture/WaveFormat.h"
#include "core/controller/DiskSpace.h"
#include "core/encoder/IWavFile2MP3.h"
#include "core/persistence/ClsScheduleSaveLoad.h"
#include "core/schedule/ClsFileNameMaker.h"
#include "core/schedule/LocalPath.h"
#include "core/schedule/Occurrences.h"
#include "core/timesync/ClsNTP.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

namespace tolvane {

namespace {

const QString kSource = QStringLiteral("ClsController");
const QString kMustBePositive = QStringLiteral("0以上の数でなければなりません。");

// The error a failed folder creation gives: no parent, something else in the way, or refused.
NumberedError FolderCreationError(const QString &path)
{
    if (!LocalPath::IsAbsolute(path))
        return NumberedError(ErrNo::PathNotFound,
                             path + QStringLiteral(": ") + NumberedError::StandardDescription(ErrNo::PathNotFound), kSource);
    const QFileInfo info(path);
    if (info.exists())
        return NumberedError::Standard(ErrNo::FileAlreadyExists, kSource);
    if (!info.absoluteDir().exists())
        return NumberedError::Standard(ErrNo::PathNotFound, kSource);
    return NumberedError::Standard(ErrNo::PathFileAccess, kSource);
}

Seconds TimeOfDayOrThrow(const QString &text)
{
    if (const auto t = ParseTimeOfDay(text))
        return *t;
    throw NumberedError(ErrNo::TypeMismatch, QStringLiteral("\"%1\" is not a time of day").arg(text), kSource);
}

// Milliseconds on the local wall clock (what the clock shows, daylight saving included).
qint64 WallMs(const QDateTime &moment)
{
    return moment.date().toJulianDay() * kDay.count() * 1000 + moment.time().msecsSinceStartOfDay();
}

}  // namespace

ClsController::ClsController(std::shared_ptr<CoreServices> services, QObject *parent)
    : QObject(parent),
      m_services(std::move(services)),
      m_executeList(m_services),
      m_mixerSelection(m_services->mixerFactory),
      m_ntp(std::make_unique<ClsNTP>(m_services->clock))
{
    m_log.setFilePath(m_services->appFolder + QStringLiteral("/rec.log"));
    setNoSoundVolume(0);
    setBufferLength(1);
    setDefaultSavePath(QString());
    connect(m_ntp.get(), &ClsNTP::Finished, this, &ClsController::OnTimeAnswer);
    m_ntp->Initialize();
    m_defaultSchedule = NewSchedule();
}

ClsController::~ClsController()
{
    if (m_services->tickTimer)
        m_services->tickTimer->Stop();
}

template <typename T>
void ClsController::DisposeLater(T holder)
{
    // Objects may be let go while one of their own signals is being handled; they are kept until
    // the event loop is back (or until the controller goes).
    m_graveyard.push_back(std::make_shared<T>(std::move(holder)));
    if (m_graveyard.size() == 1)
        QMetaObject::invokeMethod(this, [this] { m_graveyard.clear(); }, Qt::QueuedConnection);
}

// ---- Set-up, options, schedules ----

void ClsController::Setup()
{
    std::optional<NumberedError> loadError;
    try {
        ClsScheduleSaveLoad().LoadSchedule(*this);
    } catch (const NumberedError &e) {
        // A damaged file must not keep the recorder from running with what was read.
        loadError = e;
    }

    if (m_services->tickTimer)
        m_services->tickTimer->Start(std::chrono::milliseconds(100), [this] { Tick(); });

    try {
        UseWME = m_services->captureFactory && m_services->captureFactory->WindowsMediaAvailable();
    } catch (const NumberedError &) {
        UseWME = false;
    }
    UseGOGO = m_services->encoderFactory && m_services->encoderFactory->Probe();

    if (gSetTime && gSetTimeOnAppStart)
        SetTimeFromServer();
    SetStatus(tolvane::Status::Idle);
    TimetableChanged();
    if (loadError)
        throw *loadError;
}

void ClsController::SaveSetting()
{
    try {
        ClsScheduleSaveLoad().SaveSchedule(*this, QString());
    } catch (const NumberedError &e) {
        emit OnError(e);
        Attempt([&] { Log(QStringLiteral("Setting"), QStringLiteral("SaveFailed")); });
        Report();
        return;
    }
    Attempt([&] { Log(QStringLiteral("Setting"), QStringLiteral("SaveSuccessed")); });
    Report();
}

QString ClsController::GetVersion() const
{
    return QStringLiteral("%1.%2.%3").arg(TOLVANE_VERSION_MAJOR).arg(TOLVANE_VERSION_MINOR).arg(TOLVANE_VERSION_PATCH);
}

void ClsController::SetPriority(qint32 iPriorityIndex)
{
    if (iPriorityIndex < 0 || iPriorityIndex > 4)
        throw NumberedError::Standard(ErrNo::SubscriptOutOfRange, kSource);
    m_priorityIndex = iPriorityIndex;
}

void ClsController::setBufferLength(qint32 v)
{
    if (v <= 0)
        throw NumberedError(ErrNo::TypeMismatch, kMustBePositive, kSource);
    if (v > 32767)
        throw NumberedError::Standard(ErrNo::Overflow, kSource);
    m_bufferLength = v;
    // Kept as given, so that it is saved as given; a capture takes at most an hour of ring.
    if (v > kMaxBufferSeconds)
        emit OnWarning(QStringLiteral("バッファ長 %1 秒は長すぎるため、録音には %2 秒を使います。")
                           .arg(v)
                           .arg(kMaxBufferSeconds));
}

void ClsController::setNoSoundVolume(double v)
{
    if (!(v >= 0))
        throw NumberedError(ErrNo::TypeMismatch, kMustBePositive, kSource);
    m_noSoundVolume = v;
    Log(QStringLiteral("NoSoundVolume"), QStringLiteral("ChangeSuccessed"));
}

void ClsController::setDefaultSavePath(const QString &P)
{
    // The let never fails.
    if (P.isEmpty()) {
        m_defaultSavePath = m_services->appFolder;
        Log(QStringLiteral("DefaultSavePath"), QStringLiteral("Setted App.Path"));
        return;
    }
    // A path that is not absolute (one from Windows, or a relative one) is never looked for in
    // the working folder.
    const bool absolute = LocalPath::IsAbsolute(P);
    if (absolute && (QFileInfo(P).isDir() || m_services->readOnly)) {
        m_defaultSavePath = P;
        return;
    }
    if (absolute && QDir().mkdir(P)) {
        m_defaultSavePath = P;
        Log(QStringLiteral("Folder "), QStringLiteral("Created"));
        Log(QStringLiteral("DefaultSavePath"), QStringLiteral("Setted ") + P);
        return;
    }
    m_defaultSavePath = m_services->appFolder;
    emit OnError(FolderCreationError(P));
    Log(QStringLiteral("DefaultSavePath"), QStringLiteral("Setted App.Path"));
}

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

void ClsController::SetStatus(tolvane::Status s)
{
    if (s == m_status)
        return;
    const auto value = static_cast<qint32>(s);
    if (value < 0 || value > 9)
        throw NumberedError(ErrNo::InvalidStatus, QStringLiteral("ステータス異常が発生しました。"), kSource);
    m_status = s;
    emit OnStatusChanged(s);
    Log(QStringLiteral("Status"), QStringLiteral("Changed to ") + QString::number(value));
}

void ClsController::Log(const QString &subject, const QString &event)
{
    if (!gMakeLog || m_services->readOnly)
        return;
    AppendToLog(subject + QLatin1Char(' ') + GeneralDateTimeText(m_services->clock->Now()) + event);
}

void ClsController::AppendToLog(const QString &line)
{
    try {
        m_log.AppendLog(line);
        m_logFailing = false;
    } catch (const NumberedError &e) {
        if (std::exchange(m_logFailing, true))
            return;
        emit OnWarning(QStringLiteral("ログファイル %1 に書き込めません(エラー番号%2: %3)。録音はそのまま続けます。")
                           .arg(m_log.FilePath())
                           .arg(e.Number())
                           .arg(e.Description()));
    }
}

bool ClsController::IsCapturing() const
{
    switch (m_status) {
    case tolvane::Status::PresetWave:
    case tolvane::Status::PresetWM:
    case tolvane::Status::ManualWave:
    case tolvane::Status::ManualWM:
    case tolvane::Status::ManualEndSetWave:
    case tolvane::Status::ManualEndSetWM: return true;
    default: return false;
    }
}

template <typename F>
void ClsController::Attempt(F &&statement)
{
    try {
        statement();
    } catch (const NumberedError &e) {
        m_pending.push_back(e);
    } catch (const std::exception &e) {
        m_pending.emplace_back(ErrNo::InvalidProcedureCall, QString::fromLocal8Bit(e.what()), kSource);
    }
}

void ClsController::Report()
{
    std::vector<NumberedError> errors;
    errors.swap(m_pending);
    if (m_occurrenceScope != m_reportedFor && !m_occurrenceScope.isEmpty()) {
        m_reportedFor = m_occurrenceScope;
        m_reportedErrors.clear();
    }
    for (const NumberedError &e : errors) {
        if (!m_occurrenceScope.isEmpty()) {
            const QString seen = QString::number(e.Number()) + QLatin1Char('\n') + e.Description();
            if (m_reportedErrors.contains(seen))
                continue;
            m_reportedErrors.insert(seen);
        }
        emit OnError(e);
    }
}

// ---- The tick ----

void ClsController::Tick()
{
    // A tick entered again while one runs (the event loop turns inside a tick) does nothing:
    // the running tick has already seen this moment.
    if (m_inTick || m_released)
        return;
    m_inTick = true;
    const QDateTime now = m_services->clock->Now();
    std::vector<NumberedError> malformed;
    // Reported at once: each one is reported only the first time a check meets it.
    const auto takeMalformed = [&] {
        for (const NumberedError &e : malformed)
            emit OnError(e);
        malformed.clear();
    };

    // 1. A Windows Media recording is prepared five seconds ahead.
    std::shared_ptr<ClsSchedule> due;
    Attempt([&] { due = m_schedules.CheckScheduleBefore5Second(now, &malformed); });
    takeMalformed();
    if (due) {
        if (m_status == tolvane::Status::Monitor) {
            Attempt([&] { StopMonitor(); });
            QCoreApplication::processEvents();
        }
        if (!gbParameterSetted) {
            gbParameterSetted = true;
            const OccurrenceScope scope(*this, OccurrenceKey(*due, now.addSecs(5)));
            Attempt([&] {
                PrepareCapture(due, 5);
                m_preparedFor = due;
            });
            Report();
        }
    }
    Report();
    // A preparation whose start has passed unused (another recording ran meanwhile) goes, so
    // that it holds neither the device nor the flags that keep the next one from preparing.
    if (m_preparedOutput && m_preparedUntil.isValid() && now > m_preparedUntil)
        DiscardPreparation();

    // 2. Before-programs are queued once per occurrence.
    due.reset();
    Attempt([&] { due = m_schedules.CheckBeforeExecute(now, &malformed); });
    takeMalformed();
    if (due) {
        if (!due->BeforeExecutePath().isEmpty()) {
            const auto start = due->StartTimeOfDay().value_or(Seconds(0));
            Attempt([&] { QueueBeforeProgram(*due, start + WrapDay(due->StartTimeDelay()) + Seconds(10)); });
        }
        due->setBeforeExecuted(true);
    }

    // 3. Start, monitor or end depending on the status.
    switch (m_status) {
    case tolvane::Status::Idle:
    case tolvane::Status::Monitor: {
        RunPrograms();
        Report();
        if (CatchUpMissedStart(now))
            break;
        if (m_status == tolvane::Status::Idle) {
            // The sound card is opened 20 seconds before every timetable recording: once per
            // occurrence, as a device that failed to open fails again on the next tick.
            Attempt([&] { due = m_schedules.CheckStartSchedule(now, 20, &malformed); });
            takeMalformed();
            // Not while a capture is prepared: that one holds the device and starts first.
            if (due && !m_preparedOutput) {
                const QString key = OccurrenceKey(*due, now.addSecs(20));
                if (key != m_monitorFailedFor) {
                    const OccurrenceScope scope(*this, key);
                    StartMonitor();
                    if (m_status != tolvane::Status::Monitor)
                        m_monitorFailedFor = key;
                }
            }
        }
        // The device is opened a second ahead, so that the capture starts on its second.
        due.reset();
        Attempt([&] { due = m_schedules.CheckStartSchedule(now, 1, &malformed); });
        takeMalformed();
        const QString early = due ? OccurrenceKey(*due, now.addSecs(1)) : QString();
        if (due && !gbParameterSetted && due->RecordingFormat() != FormatType::windowsmedia &&
            early != m_lastStartedKey && early != m_prepareFailedFor) {
            if (m_status == tolvane::Status::Monitor) {
                Attempt([&] { StopMonitor(); });
                QCoreApplication::processEvents();
            }
            gbParameterSetted = true;
            const OccurrenceScope scope(*this, early);
            Attempt([&] {
                PrepareCapture(due, 1);
                m_preparedFor = due;
            });
            // A preparation that failed is not tried again ahead: the start prepares anew and
            // reports what fails then.
            if (!m_preparedOutput) {
                gbParameterSetted = false;
                m_prepareFailedFor = early;
            }
            m_pending.clear();
        }
        due.reset();
        Attempt([&] { due = m_schedules.CheckStartSchedule(now, 0, &malformed); });
        takeMalformed();
        // Each occurrence starts once: not again when it ended inside its own two-second
        // window, nor when the clock shows its time a second time (the hour repeated when
        // daylight saving ends). A start that failed is tried again within that window, every
        // half second (a device busy for a moment must not cost the whole recording); what
        // fails is reported once.
        if (due) {
            const QString key = OccurrenceKey(*due, now);
            if (key != m_lastStartedKey && !(key == m_failedStart.key && now < m_failedStart.nextAttempt)) {
                const OccurrenceScope scope(*this, key);
                StartOnTime(due);
                if (m_activeOutput) {
                    m_lastStartedKey = key;
                    m_failedStart = {};
                } else {
                    m_failedStart = {key, due, now.addMSecs(500)};
                }
            }
        }
        // An occurrence whose every start failed has passed: its one-shot delays are used up.
        if (!m_failedStart.key.isEmpty() && !(due && OccurrenceKey(*due, now) == m_failedStart.key)) {
            if (const auto s = m_failedStart.schedule.lock())
                UseUpOccurrence(*s);
            m_failedStart = {};
        }
        break;
    }
    case tolvane::Status::PresetWM:
    case tolvane::Status::ManualEndSetWave:
    case tolvane::Status::ManualEndSetWM:
        CheckEndTime();
        Report();
        break;
    default: break;
    }

    // 4. The PC clock ends timetable WAVE recordings when so chosen.
    if (m_status == tolvane::Status::PresetWave && gSelectEndTimeChecker == EndTimeChecker::PCTime) {
        CheckEndTime();
        Report();
    }

    // 5. The daily clock setting, once within its second.
    const QString second = FormatTimeOfDay(SecondsOfDay(m_services->clock->Now()));
    if (gSetTime && gSetTimeOnPresetTime && gSetTimeTime == second) {
        const QString key = now.date().toString(Qt::ISODate) + second;
        if (m_lastPresetClockSecond != key) {
            m_lastPresetClockSecond = key;
            Attempt([&] { SetTimeFromServer(); });
            Report();
        }
    }

    // 7. A stop that the capture handlers asked for.
    if (m_stopRequest) {
        m_stopRequest = false;
        StopCapture();
        Report();
    }
    m_pending.clear();
    m_lastTick = now;
    m_inTick = false;
}

void ClsController::StartOnTime(const std::shared_ptr<ClsSchedule> &S, const QDateTime *lateUntil)
{
    if (m_status == tolvane::Status::Monitor) {
        Attempt([&] { StopMonitor(); });
        QCoreApplication::processEvents();
    }
    // A preparation made ahead is used only for the schedule it was made for.
    if (lateUntil || !(gbParameterSetted && m_preparedFor == S && m_preparedOutput))
        Attempt([&] { PrepareCapture(S, 0, lateUntil); });
    gbParameterSetted = false;
    m_preparedFor.reset();
    // The recording opens with the sound of the second it starts in: its scheduled second, or
    // for a late tick the second the start happens. (A preparation that failed has said why.)
    const QDateTime now = m_services->clock->Now();
    if (m_preparedOutput)
        Attempt([&] { BeginCapture(now.addMSecs(-now.time().msec())); });
    if (m_activeOutput)
        Attempt([&] {
            SetStatus(S->RecordingFormat() == FormatType::windowsmedia ? tolvane::Status::PresetWM
                                                                       : tolvane::Status::PresetWave);
        });
    Report();
    if (!m_activeOutput)
        return;  // tried again while the occurrence is due; its delays wait for that
    if (lateUntil) {
        m_captureEndTime = SecondsOfDay(*lateUntil);
        Attempt([&] { Log(S->Name(), QStringLiteral("StartedLate")); });
        Report();
    } else {
        Attempt([&] { m_captureEndTime = WrapDay(TimeOfDayOrThrow(S->EndTime()) + WrapDay(S->EndTimeDelay())); });
    }
    UseUpOccurrence(*S);
}

// The stored schedule's one-shot delays are used up by its occurrence, and its before-program
// runs again at the next one.
void ClsController::UseUpOccurrence(ClsSchedule &S)
{
    if (S.BeforeExecute())
        S.setBeforeExecuted(false);
    S.setStartTimeDelay(Seconds(0));
    S.setEndTimeDelay(Seconds(0));
}

// The first tick at or past the end ends the recording: the tick of the end second itself may
// never come (a suspend, the clock set forward, an end in the hour that daylight saving skips).
// The end is the first time the clock shows CaptureEndTime after the recording began, so a
// recording never runs longer than a day.
void ClsController::CheckEndTime()
{
    const QDateTime start = m_captureStart.isValid() ? m_captureStart : m_services->clock->Now();
    qint64 end = start.date().toJulianDay() * kDay.count() * 1000 + WrapDay(m_captureEndTime).count() * 1000;
    if (end <= WallMs(start))
        end += kDay.count() * 1000;
    if (WallMs(m_services->clock->Now()) >= end)
        StopCapture();
}

qint32 ClsController::LastCaptureTimeBySecond() const
{
    if (!m_capturingSchedule)
        throw NumberedError::Standard(ErrNo::ObjectNotSet, kSource);
    return static_cast<qint32>((m_captureEndTime - SecondsOfDay(m_services->clock->Now())).count());
}

// ---- The capture session ----

std::shared_ptr<ClsController::CaptureRun> ClsController::NewPipelineRun()
{
    if (!m_services->captureFactory)
        throw NumberedError(ErrNo::ObjectNotSet, QStringLiteral("there is no capture device support"), kSource);
    auto run = std::make_shared<CaptureRun>();
    run->pipeline = m_services->captureFactory->CreatePipeline();
    ICapturePipeline *p = run->pipeline.get();
    const std::weak_ptr<CaptureRun> weak = run;

    connect(p, qOverload<std::shared_ptr<ClsSchedule>>(&ICapturePipeline::SetParameter), this,
            [this](std::shared_ptr<ClsSchedule> schedule) { emit OnSetParameter(schedule, m_status); });
    connect(p, &ICapturePipeline::ArriveWaveData16, this, [this, weak](std::vector<qint16> &block) {
        if (auto r = weak.lock())
            OnPipelineBlock16(r, block);
    });
    connect(p, &ICapturePipeline::ArriveWaveData8, this, [this, weak](std::vector<quint8> &block) {
        if (auto r = weak.lock())
            OnPipelineBlock8(r, block);
    });
    connect(p, &ICapturePipeline::FinishCapture, this, [this, weak](const QString &path) {
        if (auto r = weak.lock())
            OnPipelineFileFinished(r, path);
    });
    connect(p, &ICapturePipeline::FinishRealTimePart, this, [this](const QString &path) {
        emit OnCaptureFileFinished(path);
        Attempt([&] { Log(QStringLiteral("RealTime MP3 Encode"), QStringLiteral("Finished ") + path); });
        Report();
    });
    connect(p, &ICapturePipeline::WriteError, this, [this, weak](const NumberedError &e) {
        emit OnError(e);
        // The pipeline has stopped writing; the controller's own stop returns to Idle.
        if (auto r = weak.lock(); r && r == m_run && IsCapturing())
            m_stopRequest = true;
    });
    connect(p, &ICapturePipeline::SoundLost, this, [this, weak](qint64 frames, qint32 rate) {
        if (auto r = weak.lock())
            OnSoundLost(r->schedule, frames, rate);
    });
    connect(p, &ICapturePipeline::CaptureClosed, this, [this, weak] {
        if (auto r = weak.lock())
            OnPipelineClosed(r);
    });

    // Earlier runs stay until their files are closed; a pipeline that never says so is let go
    // after a few more recordings.
    if (m_run)
        m_retiredRuns.push_back(m_run);
    std::erase_if(m_retiredRuns, [](const auto &r) { return r->closed; });
    while (m_retiredRuns.size() > 4)
        m_retiredRuns.erase(m_retiredRuns.begin());
    m_run = run;
    return run;
}

void ClsController::PrepareCapture(const std::shared_ptr<ClsSchedule> &S, int leadSeconds, const QDateTime *lateUntil)
{
    Log(S->Name(), QStringLiteral("SetParameterProcessing"));
    auto C = NewSchedule();
    C->CopyFrom(*S);
    Seconds start = WrapDay(TimeOfDayOrThrow(S->StartTime()) + WrapDay(C->StartTimeDelay()));
    Seconds end = WrapDay(TimeOfDayOrThrow(S->EndTime()) + WrapDay(C->EndTimeDelay()));
    if (lateUntil) {
        // Started after its time: it records from now to its end, and its files say so.
        start = SecondsOfDay(m_services->clock->Now());
        end = SecondsOfDay(*lateUntil);
        C->setFileName(C->FileName() + QStringLiteral("_late"));
    }
    C->setStartTime(FormatTimeOfDay(start));
    C->setEndTime(FormatTimeOfDay(end));

    uCaptureSetting setting;
    setting.Schedule = C;
    setting.BufferLength = std::min<double>(m_bufferLength, kMaxBufferSeconds);
    setting.NoSoundVolume = static_cast<qint32>(std::nearbyint(std::min(m_noSoundVolume, 2147483647.0)));
    setting.FilePath = RecordingFolder(*C);
    const QDateTime base = m_services->clock->Now().addSecs(leadSeconds);
    setting.FileName = ClsFileNameMaker::MakeFileName(C->FileName(), C->Name(), base,
                                                      -static_cast<qint32>(C->TimeDayStart().count()));
    setting.WMEFilePath = S->WMEFilePath().isEmpty() ? m_defaultSchedule->WMEFilePath() : S->WMEFilePath();

    if (S->RecordingFormat() != FormatType::windowsmedia) {
        const auto run = NewPipelineRun();
        m_preparedOutput = run->pipeline;
        run->encodeAfterCapture = S->RecordingFormat() == FormatType::MP3 && UseGOGO;
        qint64 length = (end - start).count();
        if (length <= 0)
            length += kDay.count();
        mlRecAllTime = static_cast<qint32>(length);
        m_secondsCaptured = 0;
        m_carriedSamples = 0;
    } else {
        m_preparedOutput = m_services->captureFactory ? m_services->captureFactory->WindowsMediaOutput() : nullptr;
        if (!m_preparedOutput)
            throw NumberedError(ErrNo::ObjectNotSet, QStringLiteral("Windows Media recording is not available here"),
                                kSource);
        WireWindowsMedia(m_preparedOutput.get());
    }
    m_preparedSchedule = C;
    // Of use until the end of the start window of the second it was prepared for.
    m_preparedUntil = leadSeconds > 0 ? base.addMSecs(-base.time().msec()).addSecs(2) : QDateTime();
    WarnDiskSpace(*C);
    try {
        m_preparedOutput->SetParameter(setting);
    } catch (...) {
        DiscardPreparation();
        throw;
    }
    Log(S->Name(), QStringLiteral("SetParameterSuccess"));
}

// The copy's own folder has been looked for already (and given way to the application folder
// when it was gone); the default folder may have gone since it was set (an unmounted disk).
QString ClsController::RecordingFolder(const ClsSchedule &C) const
{
    if (!C.SavePath().isEmpty())
        return C.SavePath();
    if (m_defaultSavePath.isEmpty() || QFileInfo(m_defaultSavePath).isDir() || QDir().mkdir(m_defaultSavePath))
        return m_defaultSavePath.isEmpty() ? m_services->appFolder : m_defaultSavePath;
    m_services->notifier->ShowMessage(
        ClsSchedule::FolderFallbackText(m_defaultSavePath, C.Name(), m_services->appFolder));
    return m_services->appFolder;
}

void ClsController::DiscardPreparation()
{
    if (m_preparedOutput) {
        m_preparedOutput->DropPrepared();
        if (m_run && m_run->pipeline == m_preparedOutput) {
            m_run->closed = true;  // it never recorded
            DisposeLater(std::move(m_run));
        }
    }
    m_preparedOutput.reset();
    m_preparedSchedule.reset();
    m_preparedFor.reset();
    m_preparedUntil = QDateTime();
    gbParameterSetted = false;
}

void ClsController::BeginCapture(const QDateTime &from)
{
    if (!m_preparedSchedule || !m_preparedOutput) {
        m_preparedSchedule.reset();
        m_preparedOutput.reset();
        throw NumberedError(ErrNo::ObjectNotSet, QStringLiteral("no capture was prepared"), kSource);
    }
    Attempt([&] { Log(m_preparedSchedule->Name(), QStringLiteral("StartProcessing")); });
    m_capturingSchedule = std::move(m_preparedSchedule);
    m_captureStart = from;
    ClsSchedule &C = *m_capturingSchedule;
    Attempt([&] { m_captureEndTime = TimeOfDayOrThrow(C.EndTime()); });
    m_stopRequest = false;

    // A before-program not queued for this occurrence (a manual start) runs now, if still in time.
    if (C.BeforeExecute() && !C.BeforeExecuted()) {
        Attempt([&] { QueueBeforeProgram(C, TimeOfDayOrThrow(C.StartTime()) + Seconds(10)); });
        C.setBeforeExecuted(true);
        RunPrograms();
        Report();
    }

    m_activeOutput = std::move(m_preparedOutput);
    m_preparedUntil = QDateTime();
    // The run whose blocks count is the one that records, whatever was made since it was prepared.
    if (!m_run || m_activeOutput != m_run->pipeline) {
        const auto prepared = std::find_if(m_retiredRuns.begin(), m_retiredRuns.end(),
                                           [&](const auto &r) { return r->pipeline == m_activeOutput; });
        if (prepared != m_retiredRuns.end()) {
            std::swap(m_run, *prepared);
            if (!*prepared)
                m_retiredRuns.erase(prepared);
        }
    }
    if (m_run && m_activeOutput == m_run->pipeline) {
        m_run->schedule = m_capturingSchedule;
        m_run->encodeAfterCapture =
            C.RecordingFormat() == FormatType::MP3 && UseGOGO && !C.MP3()->MP3RealTime();
    }
    ApplyMixerSelection();

    bool started = false;
    Attempt([&] {
        m_activeOutput->StartCapture(from);
        started = true;
    });
    if (!started) {
        // Nothing is being recorded: do not pretend otherwise (the error is reported).
        m_activeOutput.reset();
        RestoreMixerSelection();
    }
    Attempt([&] { Log(C.Name(), QStringLiteral("StartProcessing")); });
}

void ClsController::RunPrograms()
{
    Attempt([&] {
        for (NumberedError &e : m_executeList.Execute())
            m_pending.push_back(std::move(e));
    });
}

void ClsController::QueueBeforeProgram(ClsSchedule &schedule, Seconds limit)
{
    m_executeList.Add(schedule.BeforeExecutePath(), QString())->setLimitExecuteTime(limit);
}

void ClsController::ApplyMixerSelection()
{
    const ClsSchedule &C = *m_capturingSchedule;
    if (!C.UseSystemSourceDevice() && C.SourceLineIndex() != -1)
        Attempt([&] { m_mixerSelection.Apply(C.DeviceID(), C.SourceLineIndex()); });
    Attempt([&] { Log(QStringLiteral("MixerSetting"), QStringLiteral("Changed")); });
}

void ClsController::RestoreMixerSelection()
{
    Attempt([&] { m_mixerSelection.Restore(); });
    Attempt([&] { Log(QStringLiteral("MixerSetting"), QStringLiteral("TakenBack")); });
}

void ClsController::StartOnTimeCapture(const std::shared_ptr<ClsSchedule> &iSchedule)
{
    Attempt([&] { Log(QStringLiteral("OnTime"), QStringLiteral("OnTimeCaptureStart")); });
    if (m_activeOutput) {
        // One sound card, one recording: a second start would orphan the running capture.
        m_pending.emplace_back(ErrNo::InvalidProcedureCall, QStringLiteral("a recording is already running"), kSource);
        Report();
        return;
    }
    if (m_status == tolvane::Status::Monitor) {
        Attempt([&] { StopMonitor(); });
        QCoreApplication::processEvents();
    }
    Attempt([&] {
        SetStatus(iSchedule->RecordingFormat() == FormatType::windowsmedia ? tolvane::Status::ManualWM
                                                                           : tolvane::Status::ManualWave);
    });
    try {
        PrepareCapture(iSchedule, 0);
    } catch (const NumberedError &e) {
        m_pending.push_back(e);
        Report();
        return;
    }
    Attempt([&] { BeginCapture(m_services->clock->Now()); });
    Report();
}

void ClsController::setCaptureEndTime(Seconds T)
{
    m_captureEndTime = T;
    if (m_status == tolvane::Status::PresetWave || m_status == tolvane::Status::ManualWave)
        SetStatus(tolvane::Status::ManualEndSetWave);
    else if (m_status == tolvane::Status::PresetWM || m_status == tolvane::Status::ManualWM)
        SetStatus(tolvane::Status::ManualEndSetWM);
    Log(QStringLiteral("EndTime"), QStringLiteral("Changed"));
}

void ClsController::StopCapture()
{
    if (!m_activeOutput) {
        // Nothing began: return to Idle, but never repeat the last recording's after-actions.
        if (IsCapturing())
            Attempt([&] { SetStatus(tolvane::Status::Idle); });
        Report();
        return;
    }
    const std::shared_ptr<ClsSchedule> C = m_capturingSchedule;
    const auto output = std::move(m_activeOutput);
    const std::shared_ptr<CaptureRun> run = (m_run && output == m_run->pipeline) ? m_run : nullptr;
    if (run)
        run->stopped = true;

    Attempt([&] { Log(C->Name(), QStringLiteral("StopProcessing")); });
    Attempt([&] { output->StopCapture(); });
    Attempt([&] { SetStatus(tolvane::Status::Idle); });
    RestoreMixerSelection();
    Attempt([&] { Log(C->Name(), QStringLiteral("StopSuccess")); });

    if (C->AfterExecute() && !C->AfterExecutePath().isEmpty()) {
        Attempt([&] { m_executeList.Add(C->AfterExecutePath(), QString())->setUnlimitExecute(true); });
        RunPrograms();
    }
    Report();

    // Power and quit wait for pending encodes, and for the recording's last file to be closed.
    const bool closing = run && !run->closed;
    if (closing)
        m_stoppingRun = run;
    PowerAndQuitActions(*C, WaitForGOGO() || (run && run->encodeAfterCapture) || closing);
    Report();
    if (!m_released)
        TimetableChanged();
}

void ClsController::PowerAndQuitActions(const ClsSchedule &schedule, bool defer)
{
    if (schedule.Hibernate()) {
        if (defer)
            m_deferHibernate = true;
        else
            Attempt([&] { m_services->power->Hibernate(); });
    }
    if (schedule.ExitWindows()) {
        if (defer)
            m_deferExitWindows = true;
        else
            Attempt([&] { m_services->power->PowerOff(); });
    }
    if (schedule.ExitTV()) {
        if (defer)
            m_deferQuit = true;
        else
            Quit();
    }
}

void ClsController::DeferredActions()
{
    if (m_deferHibernate) {
        m_deferHibernate = false;
        Attempt([&] { m_services->power->Hibernate(); });
    }
    if (m_deferExitWindows) {
        m_deferExitWindows = false;
        Attempt([&] { m_services->power->PowerOff(); });
    }
    m_pending.clear();  // power failures are ignored
    if (m_deferQuit) {
        m_deferQuit = false;
        Quit();
    }
}

void ClsController::Quit()
{
    bool cancel = false;
    emit OnUnload(cancel);
    if (!cancel)
        Release();
}

void ClsController::Release()
{
    m_released = true;
    if (m_services->tickTimer)
        m_services->tickTimer->Stop();
    std::vector<std::shared_ptr<CaptureRun>> runs = std::move(m_retiredRuns);
    runs.push_back(std::move(m_run));
    DisposeLater(std::move(runs));
    DisposeLater(std::move(m_gogo));
    m_encodeQueue.clear();
    m_activeOutput.reset();
    m_preparedOutput.reset();
}

void ClsController::StartMonitor()
{
    // Not while recording, nor in the moments before a prepared recording starts: that one holds
    // the device.
    if (IsCapturing() || m_preparedOutput)
        return;
    try {
        const auto run = NewPipelineRun();
        run->closed = true;  // monitoring writes no file
        auto copy = NewSchedule();
        copy->CopyFrom(*m_defaultSchedule);
        m_capturingSchedule = copy;
        SetStatus(tolvane::Status::Monitor);
        mlRecAllTime = 86400;
        m_secondsCaptured = 0;
        m_carriedSamples = 0;
        run->pipeline->BeginMonitor(m_defaultSchedule);
        Log(QStringLiteral("Monitor"), QStringLiteral("StartSuccessed"));
    } catch (const NumberedError &e) {
        DisposeLater(std::move(m_run));
        m_capturingSchedule.reset();
        Attempt([&] { SetStatus(tolvane::Status::Idle); });
        m_pending.insert(m_pending.begin(), e);
        Attempt([&] { Log(QStringLiteral("Monitor"), QStringLiteral("StartFailed")); });
        Report();
    }
}

void ClsController::StopMonitor()
{
    if (m_status != tolvane::Status::Monitor)
        return;
    if (m_run)
        m_run->pipeline->EndMonitor();
    SetStatus(tolvane::Status::Idle);
    DisposeLater(std::move(m_run));
    m_capturingSchedule.reset();
    Log(QStringLiteral("Monitor"), QStringLiteral("Stoped"));
}

void ClsController::WireWindowsMedia(ClsICapture2Output *output)
{
    if (output == m_wiredWindowsMedia)
        return;
    m_wiredWindowsMedia = output;
    connect(output, &ClsICapture2Output::WriteError, this, [this, output](const NumberedError &e) {
        emit OnError(e);
        // The recording has ended; the controller's own stop returns to Idle.
        if (m_activeOutput.get() == output && IsCapturing())
            m_stopRequest = true;
    });
    connect(output, &ClsICapture2Output::SoundLost, this,
            [this](qint64 frames, qint32 rate) { OnSoundLost(m_capturingSchedule, frames, rate); });
}

void ClsController::OnSoundLost(const std::shared_ptr<ClsSchedule> &schedule, qint64 frames, qint32 rate)
{
    const double seconds = rate > 0 ? double(frames) / rate : 0;
    emit OnError(NumberedError(ErrNo::SoundLost,
                               QStringLiteral("録音中に音が途切れました。失われた%1フレーム(%2秒)は無音で補いました。")
                                   .arg(frames)
                                   .arg(seconds, 0, 'f', 3),
                               kSource));
    Attempt([&] { Log(schedule ? schedule->Name() : QString(), QStringLiteral("SoundLost ") + QString::number(frames)); });
    Report();
}

// ---- Captured blocks ----

bool ClsController::CountSamples(qsizetype &count)
{
    const ClsWave &wave = *m_capturingSchedule->WaveSetting();
    const qint64 perSecond = qint64{SampleRateOf(wave.Frequency())} * ChannelCountOf(wave.Channel());
    if (perSecond <= 0)
        return false;
    const qint64 remaining = mlRecAllTime - m_secondsCaptured;
    const qint64 carried = m_carriedSamples;
    if (count + carried > remaining * perSecond)
        count = static_cast<qsizetype>(remaining * perSecond - carried);
    const qint64 total = count + carried;
    m_secondsCaptured += static_cast<qint32>(total / perSecond);
    m_carriedSamples = static_cast<qint32>(total % perSecond);
    if (m_secondsCaptured < mlRecAllTime)
        return false;
    m_stopRequest = true;
    return true;
}

void ClsController::OnPipelineBlock16(const std::shared_ptr<CaptureRun> &run, std::vector<qint16> &block)
{
    if (run != m_run)
        return;  // a finished pipeline's last block: written as it is, not counted or shown
    if (m_secondsCaptured >= mlRecAllTime) {
        block.assign(1, 0);  // the pipeline writes nothing for the zero-level placeholder
        return;
    }
    bool stopSet = false;
    if (m_status == tolvane::Status::PresetWave && gSelectEndTimeChecker == EndTimeChecker::nSample) {
        qsizetype count = static_cast<qsizetype>(block.size());
        stopSet = CountSamples(count);
        block.resize(static_cast<size_t>(count));
    }
    if (!stopSet)
        emit OnArriveWaveData16(block);
}

void ClsController::OnPipelineBlock8(const std::shared_ptr<CaptureRun> &run, std::vector<quint8> &block)
{
    if (run != m_run)
        return;
    if (m_secondsCaptured >= mlRecAllTime) {
        block.assign(1, 128);
        return;
    }
    if (m_status == tolvane::Status::PresetWave && gSelectEndTimeChecker == EndTimeChecker::nSample) {
        qsizetype count = static_cast<qsizetype>(block.size());
        CountSamples(count);
        block.resize(static_cast<size_t>(count));
    }
    emit OnArriveWaveData8(block);
}

// ---- The after-capture chain ----

void ClsController::OnPipelineFileFinished(const std::shared_ptr<CaptureRun> &run, const QString &path)
{
    emit OnCaptureFileFinished(path);
    if (!run->encodeAfterCapture || !run->schedule)
        return;
    m_encodeQueue.push_back({path, run->schedule});
    if (m_gogo)
        return;  // an encode is running; this job waits its turn
    try {
        CreateEncoder();
        StartEncodeJob(m_encodeQueue.front());
        Attempt([&] { LogEncode(QStringLiteral("Started")); });
    } catch (const NumberedError &e) {
        emit OnError(e);
        m_encodeQueue.pop_front();
        if (m_encodeQueue.empty()) {
            DisposeLater(std::move(m_gogo));
            ForgetDeferredActions();
        }
        Attempt([&] { LogEncode(QStringLiteral("StartFailed")); });
    }
    Report();
}

void ClsController::OnPipelineClosed(const std::shared_ptr<CaptureRun> &run)
{
    run->closed = true;
    if (run != m_stoppingRun)
        return;
    m_stoppingRun.reset();
    if (m_encodeQueue.empty())
        DeferredActions();
}

// A new encoder server for the queue, its events wired to the controller.
void ClsController::CreateEncoder()
{
    std::shared_ptr<IWavFile2MP3> gogo(m_services->encoderFactory ? m_services->encoderFactory->Create() : nullptr);
    if (!gogo)
        throw NumberedError(ErrNo::ObjectNotSet, QStringLiteral("there is no MP3 encoder"), kSource);
    connect(gogo.get(), &IWavFile2MP3::FinishEncode, this, &ClsController::OnFinishEncode);
    connect(gogo.get(), &IWavFile2MP3::EncodeError, this, [this](const NumberedError &e) {
        m_jobFailed = true;
        emit OnError(e);
    });
    connect(gogo.get(), &IWavFile2MP3::EncodeProgress, this, [this](double fraction) {
        if (!m_encodeQueue.empty())
            emit OnEncodeProgress(m_encodeQueue.front().FilePath, fraction);
    });
    m_gogo = std::move(gogo);
}

void ClsController::StartEncodeJob(const ClsEncodeSchedule &job)
{
    const ClsSchedule &S = *job.Schedule;
    const QDateTime now = m_services->clock->Now();
    const auto adjust = -static_cast<qint32>(S.TimeDayStart().count());
    const ID3Tag tag = S.MP3()->ID3Tag();
    const auto expand = [&](const QString &text) { return ClsFileNameMaker::MakeFileName(text, S.Name(), now, adjust); };
    const Mp3EncodeSettings settings = Mp3EncodeSettings::From(*S.MP3(), expand(tag.Title), expand(tag.Artist),
                                                               expand(tag.Album), expand(tag.Year), expand(tag.Comment));
    m_jobFailed = false;
    m_gogo->SetParameter(job.FilePath, SampleRateOf(S.WaveSetting()->Frequency()),
                         static_cast<qint32>(S.WaveSetting()->Channel()), settings);
    m_gogo->EncodeFile();
}

void ClsController::OnFinishEncode()
{
    if (m_encodeQueue.empty())
        return;
    m_encodeQueue.pop_front();
    Attempt([&] { LogEncode(m_jobFailed ? QStringLiteral("Failed") : QStringLiteral("Successed")); });

    // A server that failed may be gone; the next job gets a fresh one.
    if (m_jobFailed && !m_encodeQueue.empty()) {
        DisposeLater(std::move(m_gogo));
        try {
            CreateEncoder();
        } catch (const NumberedError &e) {
            emit OnError(e);
        }
    }

    bool failed = false;
    while (!m_encodeQueue.empty() && m_gogo) {
        try {
            StartEncodeJob(m_encodeQueue.front());
            Attempt([&] { LogEncode(QStringLiteral("Started")); });
            Report();
            return;
        } catch (const NumberedError &e) {
            failed = true;
            m_services->notifier->ShowMessage(
                QStringLiteral("MP3へのエンコード中にエラーが発生しました。このエンコードを中止します。エラー番号は") +
                    QString::number(e.Number()) + QStringLiteral("です。") + e.Description(),
                MessageIcon::Critical, QStringLiteral("EncodeError"));
            m_encodeQueue.pop_front();
            Attempt([&] { LogEncode(QStringLiteral("Failed")); });
        }
    }
    if (!m_gogo)
        m_encodeQueue.clear();
    DisposeLater(std::move(m_gogo));
    Report();
    if (failed)
        ForgetDeferredActions();
    else if (!m_stoppingRun)
        DeferredActions();
}

// The encodes they waited for failed: the machine is left running (and the program open) for the
// user to see why, and a later, unrelated encode does not carry them out either.
void ClsController::ForgetDeferredActions()
{
    m_deferHibernate = m_deferExitWindows = m_deferQuit = false;
}

void ClsController::LogEncode(const QString &event)
{
    Log(QStringLiteral("Wave to MP3 Encode"), event);
}

// ---- The clock ----

void ClsController::SetTimeFromServer()
{
    if (m_services->readOnly)
        return;
    if (m_ntp->Busy()) {
        // Asked again meanwhile (the preset time during the start's query, or another server):
        // that request runs once the answer is in.
        m_timeRequestWaiting = true;
        return;
    }
    Log(QStringLiteral("PCTime"), QStringLiteral("GetTimeFrom ") + gSetTimeServer);
    const TimeServerAddress server = ParseTimeServer(gSetTimeServer);
    m_ntp->GetDate(server.host, 1024, server.port);
}

void ClsController::OnTimeAnswer(const QDateTime &serverTime)
{
    bool succeeded = false;
    if (serverTime.isValid()) {
        try {
            m_services->clockSetter->SetTime(serverTime);
            succeeded = true;
        } catch (const NumberedError &e) {
            emit OnError(e);
        }
    }
    Attempt([&] { Log(QStringLiteral("PCTime"), succeeded ? QStringLiteral("ChangeSuccessed") : QStringLiteral("GetTimeFailed")); });
    Report();
    emit OnTimeSet(succeeded);
    if (std::exchange(m_timeRequestWaiting, false))
        Attempt([&] { SetTimeFromServer(); });
    Report();
}

// ---- Unattended recording ----

QString ClsController::OccurrenceKey(const ClsSchedule &S, const QDateTime &now) const
{
    // The day the occurrence was set for and its start, from a moment inside its start window.
    const qint64 start = S.StartTimeOfDay().value_or(Seconds(0)).count();
    const qint64 delay = WrapDay(S.StartTimeDelay()).count();
    const qint64 nowSeconds = SecondsOfDay(now).count();
    const qint64 sinceStart = WrapDay(Seconds(nowSeconds - start - delay)).count();
    const QDate setFor = now.date().addDays(FloorDiv(nowSeconds - sinceStart - delay, kDay.count()));
    return QStringLiteral("%1 %2 %3")
        .arg(quintptr(&S))
        .arg(setFor.toString(Qt::ISODate), FormatTimeOfDay(Seconds(start + delay)));
}

bool ClsController::CatchUpMissedStart(const QDateTime &now)
{
    // The clock jumped forward by more than the time that passed: the hour skipped when daylight
    // saving begins. Or time passed with no tick at all: the recorder just came up, or the
    // machine was asleep.
    const bool first = !m_lastTick.isValid();
    const qint64 passed = first ? 0 : m_lastTick.msecsTo(now);
    const bool skippedHour = !first && WallMs(now) - WallMs(m_lastTick) > passed + 2000;
    const bool cameUp = first || passed > 5000;
    if (!skippedHour && !(cameUp && gStartMissedRecordings))
        return false;
    for (const Occurrence &o : OccurrencesRunningAt(m_schedules, now)) {
        const bool inSkippedHour = skippedHour && m_lastTick < o.start;
        // A start still inside its own window is the ordinary start's, not a late one.
        const bool missed = cameUp && gStartMissedRecordings && o.start.msecsTo(now) >= 2000;
        if (!inSkippedHour && !missed)
            continue;
        const QString key = OccurrenceKey(*o.schedule, o.start);
        if (key == m_lastStartedKey)
            continue;
        m_lastStartedKey = key;
        if (inSkippedHour)
            StartOnTime(o.schedule);
        else
            StartOnTime(o.schedule, &o.end);
        return true;
    }
    return false;
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

void ClsController::WriteLog(const QString &subject, const QString &event) { Log(subject, event); }

void ClsController::WriteLogLine(const QString &line)
{
    if (gMakeLog && !m_services->readOnly)
        AppendToLog(line);
}

std::shared_ptr<ClsSchedule> ClsController::CopyOfSchedule(const ClsSchedule &schedule) const
{
    auto copy = CreateNewSchedule();
    copy->CopyFrom(schedule);
    return copy;
}

}  // namespace tolvane
