// The controller's side of a capture: preparing, beginning and stopping it, monitoring, the
// mixer's input, the blocks as they arrive (cut to the planned length), and the outputs' events.

#include "core/controller/ControllerInternal.h"

#include "core/capture/ICaptureFactory.h"
#include "core/capture/WaveFormat.h"
#include "core/schedule/ClsFileNameMaker.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <cmath>

namespace tolvane {

using namespace controller_detail;

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
    connect(p, &ICapturePipeline::SourceNotice, this, [this, weak](const QString &event, const QString &message) {
        if (auto r = weak.lock())
            OnSourceNotice(r->schedule, event, message);
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
        run->schedule = C;  // what its source says while it opens is about this schedule
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

void ClsController::ApplyMixerSelection()
{
    const ClsSchedule &C = *m_capturingSchedule;
    // A stream and a source of the sound server have no input line to select.
    if (!C.UseSystemSourceDevice() && C.SourceLineIndex() != -1 && C.StreamURL().isEmpty() && C.ServerSource().isEmpty())
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
    connect(output, &ClsICapture2Output::SourceNotice, this, [this](const QString &event, const QString &message) {
        OnSourceNotice(m_preparedSchedule ? m_preparedSchedule : m_capturingSchedule, event, message);
    });
}

void ClsController::OnSourceNotice(const std::shared_ptr<ClsSchedule> &schedule, const QString &event,
                                   const QString &message)
{
    if (!message.isEmpty())
        emit OnWarning(message);
    Attempt([&] { Log(schedule ? schedule->Name() : QString(), event); });
    Report();
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

}  // namespace tolvane
