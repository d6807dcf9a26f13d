// The controller's tick: what happens at a time of day (preparing, monitoring, starting and
// ending recordings, the programs queued before them, the daily clock setting), and the
// occurrences it tells apart.

#include "core/controller/ControllerInternal.h"

#include "core/schedule/Occurrences.h"

#include <QCoreApplication>

namespace tolvane {

using namespace controller_detail;

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

    // 1. A Windows Media or stream recording is prepared five seconds ahead.
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

}  // namespace tolvane
