#include "ClsSchedule.h"

#include "common/NumberedError.h"
#include "core/platform/CoreServices.h"
#include "core/schedule/LocalPath.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace tolvane {

namespace {
const QString kSource = QStringLiteral("ClsSchedule");
// Longer addresses are not radio streams but something pasted by mistake.
constexpr qsizetype kLongestStreamURL = 2048;
}

ClsSchedule::ClsSchedule(std::shared_ptr<const CoreServices> services)
    : m_services(std::move(services)),
      m_waveSetting(std::make_shared<ClsWave>()),
      m_mp3(std::make_shared<ClsMP3>()),
      m_savePath(m_services->appFolder),
      m_wmeFilePath(m_services->appFolder + QStringLiteral("/wme/default.wme"))
{
}

void ClsSchedule::setAfterExecutePath(const QString &v)
{
    if (LocalPath::IsExistingFile(v))
        m_afterExecutePath = v;
}

void ClsSchedule::setBeforeExecutePath(const QString &v)
{
    if (LocalPath::IsExistingFile(v))
        m_beforeExecutePath = v;
}

void ClsSchedule::setWaveSetting(std::shared_ptr<ClsWave> v)
{
    if (!v)
        throw NumberedError::Standard(ErrNo::ObjectNotSet, kSource);
    m_waveSetting = std::move(v);
}

void ClsSchedule::setMP3(std::shared_ptr<ClsMP3> v)
{
    if (!v)
        throw NumberedError::Standard(ErrNo::ObjectNotSet, kSource);
    m_mp3 = std::move(v);
}

qint32 ClsSchedule::StartDay(qint32 Index) const
{
    if (Index < 0 || Index > 6)
        throw NumberedError::Standard(ErrNo::SubscriptOutOfRange, kSource);
    return m_startDay[static_cast<size_t>(Index)];
}

void ClsSchedule::setStartDay(qint32 Index, qint32 v)
{
    if (Index < 0 || Index > 6)
        throw NumberedError::Standard(ErrNo::SubscriptOutOfRange, kSource);
    m_startDay[static_cast<size_t>(Index)] = v;
}

void ClsSchedule::setStartTime(const QString &v)
{
    m_startTime = v;
    m_startTimeOfDay = ParseTimeOfDay(v);
    m_startTimeReported = false;
}

bool ClsSchedule::IsStreamURL(const QString &v)
{
    if (v.size() > kLongestStreamURL)
        return false;
    for (const QChar c : v)
        if (c.isSpace() || c.category() == QChar::Other_Control)
            return false;
    const QUrl url(v, QUrl::TolerantMode);
    const QString scheme = url.scheme().toLower();
    return url.isValid() && (scheme == QLatin1String("http") || scheme == QLatin1String("https")) && !url.host().isEmpty();
}

void ClsSchedule::setStreamURL(const QString &v)
{
    if (!v.isEmpty() && !IsStreamURL(v))
        throw NumberedError(ErrNo::TypeMismatch, QStringLiteral("ストリームのURLはhttp://またはhttps://で始まるアドレスを指定してください。"),
                            kSource);
    m_streamURL = v;
}

bool ClsSchedule::TakeStartTimeReport() const
{
    if (m_startTimeReported)
        return false;
    m_startTimeReported = true;
    return true;
}

void ClsSchedule::setSavePath(const QString &v)
{
    if (v.isEmpty()) {
        m_savePath.clear();
        return;
    }
    // A read-only run shows the folder as stored and creates nothing. A path that is not
    // absolute is a folder that cannot be found.
    if (LocalPath::IsAbsolute(v) && (QFileInfo(v).isDir() || m_services->readOnly || QDir().mkdir(v))) {
        m_savePath = v;
        return;
    }
    m_savePath = m_services->appFolder;
    m_services->notifier->ShowMessage(FolderFallbackText(v, m_name, m_services->appFolder));
}

QString ClsSchedule::FolderFallbackText(const QString &folder, const QString &name, const QString &appFolder)
{
    return folder + QStringLiteral("が見つからず作成も失敗したため") + name + QStringLiteral("の保存フォルダを") + appFolder +
           QStringLiteral("に設定しました。");
}

void ClsSchedule::CopyFrom(const ClsSchedule &CopySource)
{
    setEndTime(CopySource.EndTime());
    setEndTimeDelay(CopySource.EndTimeDelay());
    setName(CopySource.Name());
    setRecordingFormat(CopySource.RecordingFormat());
    setSavePath(CopySource.SavePath());
    for (qint32 day = 0; day < 7; ++day)
        setStartDay(day, CopySource.StartDay(day));
    setStartTime(CopySource.StartTime());
    setStartTimeDelay(CopySource.StartTimeDelay());
    setValid(CopySource.Valid());
    m_waveSetting->CopyFrom(*CopySource.WaveSetting());
    m_mp3->CopyFrom(*CopySource.MP3());
    setWMEFilePath(CopySource.WMEFilePath());
    setFileName(CopySource.FileName());
    setTimeDayStart(CopySource.TimeDayStart());
    setExitTV(CopySource.ExitTV());
    setExitWindows(CopySource.ExitWindows());
    setHibernate(CopySource.Hibernate());
    setUseSystemSourceDevice(CopySource.UseSystemSourceDevice());
    setDeviceID(CopySource.DeviceID());
    setSourceLineIndex(CopySource.SourceLineIndex());
    setServerSource(CopySource.ServerSource());
    setStreamURL(CopySource.StreamURL());
    setAfterExecute(CopySource.AfterExecute());
    setAfterExecutePath(CopySource.AfterExecutePath());
    setBeforeExecute(CopySource.BeforeExecute());
    setBeforeExecutePath(CopySource.BeforeExecutePath());
    setBeforeExecuteSeconds(CopySource.BeforeExecuteSeconds());
    setBeforeExecuted(CopySource.BeforeExecuted());
}

}  // namespace tolvane
