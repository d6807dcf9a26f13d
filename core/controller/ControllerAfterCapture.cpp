// The controller's after-capture chain: the encode queue of finished WAVE files, and the power
// and quit actions deferred until it runs empty.

#include "core/controller/ControllerInternal.h"

#include "core/encoder/EncodeSettingsOf.h"
#include "core/encoder/IWavFile2MP3.h"

namespace tolvane {

using namespace controller_detail;

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
    const Mp3EncodeSettings settings = EncodeSettingsOf(S, now);
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

}  // namespace tolvane
