#include "ClsController.h"

#include "common/DateTimeText.h"
#include "core/persistence/ClsScheduleSaveLoad.h"

#include <QDir>
#include <QFileInfo>

#include <optional>

namespace tolvane {

namespace {

const QString kSource = QStringLiteral("ClsController");
const QString kMustBePositive = QStringLiteral("0以上の数でなければなりません。");

// The error a failed folder creation gives: no parent, something else in the way, or refused.
NumberedError FolderCreationError(const QString &path)
{
    const QFileInfo info(path);
    if (info.exists())
        return NumberedError::Standard(ErrNo::FileAlreadyExists, kSource);
    if (!info.absoluteDir().exists())
        return NumberedError::Standard(ErrNo::PathNotFound, kSource);
    return NumberedError::Standard(ErrNo::PathFileAccess, kSource);
}

}  // namespace

ClsController::ClsController(std::shared_ptr<CoreServices> services, QObject *parent)
    : QObject(parent), m_services(std::move(services))
{
    m_log.setFilePath(m_services->appFolder + QStringLiteral("/rec.log"));
    setNoSoundVolume(0);
    setBufferLength(1);
    setDefaultSavePath(QString());
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

    UseWME = m_services->probeWindowsMedia && m_services->probeWindowsMedia();
    UseGOGO = m_services->probeMp3Encoder && m_services->probeMp3Encoder();

    SetStatus(tolvane::Status::Idle);
    if (loadError)
        throw *loadError;
}

void ClsController::Tick()
{
    // The timetable steps of the tick.
}

void ClsController::SaveSetting()
{
    try {
        ClsScheduleSaveLoad().SaveSchedule(*this, QString());
    } catch (const NumberedError &e) {
        emit OnError(e);
        try {
            Log(QStringLiteral("Setting"), QStringLiteral("SaveFailed"));
        } catch (const NumberedError &logError) {
            emit OnError(logError);
        }
        return;
    }
    try {
        Log(QStringLiteral("Setting"), QStringLiteral("SaveSuccessed"));
    } catch (const NumberedError &e) {
        emit OnError(e);
    }
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

bool ClsController::WaitForGOGO() const
{
    return !m_encodeQueue.empty();
}

void ClsController::setBufferLength(qint32 v)
{
    if (v <= 0)
        throw NumberedError(ErrNo::TypeMismatch, kMustBePositive, kSource);
    if (v > 32767)
        throw NumberedError::Standard(ErrNo::Overflow, kSource);
    m_bufferLength = v;
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
    // The let never fails: a log write that fails is reported like the folder error.
    try {
        if (P.isEmpty()) {
            m_defaultSavePath = m_services->appFolder;
            Log(QStringLiteral("DefaultSavePath"), QStringLiteral("Setted App.Path"));
            return;
        }
        if (QFileInfo(P).isDir()) {
            m_defaultSavePath = P;
            return;
        }
        if (QDir().mkdir(P)) {
            m_defaultSavePath = P;
            Log(QStringLiteral("Folder "), QStringLiteral("Created"));
            Log(QStringLiteral("DefaultSavePath"), QStringLiteral("Setted ") + P);
            return;
        }
        m_defaultSavePath = m_services->appFolder;
        emit OnError(FolderCreationError(P));
        Log(QStringLiteral("DefaultSavePath"), QStringLiteral("Setted App.Path"));
    } catch (const NumberedError &e) {
        emit OnError(e);
    }
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
}

qint32 ClsController::DeleteSchedule(const QString &iID)
{
    const QString name = m_schedules.Item(iID)->Name();
    m_schedules.Remove(iID);
    Log(name, QStringLiteral("ScheduleDeleted"));
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

void ClsController::Log(const QString &subject, const QString &event) const
{
    if (!gMakeLog)
        return;
    m_log.AppendLog(subject + QLatin1Char(' ') + GeneralDateTimeText(m_services->clock->Now()) + event);
}

}  // namespace tolvane
