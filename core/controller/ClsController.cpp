// The controller's set-up, options, status, activity log and error reporting; the other
// concerns have files of their own: ControllerSchedules, ControllerTick,
// ControllerCaptureSession, ControllerAfterCapture and ControllerClock.

#include "ClsController.h"

#include "core/controller/ControllerInternal.h"

#include "common/DateTimeText.h"
#include "core/capture/ICaptureFactory.h"
#include "core/capture/WaveFormat.h"
#include "core/encoder/IWavFile2MP3.h"
#include "core/persistence/ClsScheduleSaveLoad.h"
#include "core/schedule/LocalPath.h"
#include "core/timesync/ClsNTP.h"

#include <QDir>
#include <QFileInfo>

#include <optional>

namespace tolvane {

using namespace controller_detail;

namespace {

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

void ClsController::WriteLog(const QString &subject, const QString &event) { Log(subject, event); }

void ClsController::WriteLogLine(const QString &line)
{
    if (gMakeLog && !m_services->readOnly)
        AppendToLog(line);
}

}  // namespace tolvane
