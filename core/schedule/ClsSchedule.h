#pragma once
// One recording schedule: what, when, where and how to record, and what to do around it.
// The only record that crosses between the front-end and the core; callers always work on
// copies made with CopyFrom, never on the stored object's internals.

#include "core/schedule/ClsMP3.h"
#include "core/schedule/ClsWave.h"
#include "core/schedule/ScheduleTypes.h"
#include "core/schedule/TimeOfDay.h"

#include <QString>

#include <array>
#include <memory>
#include <optional>

namespace tolvane {

struct CoreServices;

class ClsSchedule {
public:
    explicit ClsSchedule(std::shared_ptr<const CoreServices> services);
    ClsSchedule(const ClsSchedule &) = delete;
    ClsSchedule &operator=(const ClsSchedule &) = delete;

    // Time of day at which the schedule's "day" begins for dating its files.
    Seconds TimeDayStart() const { return m_timeDayStart; }
    void setTimeDayStart(Seconds v) { m_timeDayStart = v; }
    bool Hibernate() const { return m_hibernate; }
    void setHibernate(bool v) { m_hibernate = v; }
    bool BeforeExecute() const { return m_beforeExecute; }
    void setBeforeExecute(bool v) { m_beforeExecute = v; }
    qint32 BeforeExecuteSeconds() const { return m_beforeExecuteSeconds; }
    void setBeforeExecuteSeconds(qint32 v) { m_beforeExecuteSeconds = v; }
    bool AfterExecute() const { return m_afterExecute; }
    void setAfterExecute(bool v) { m_afterExecute = v; }
    // Only an absolute path naming an existing file is taken; anything else keeps the old value.
    const QString &AfterExecutePath() const { return m_afterExecutePath; }
    void setAfterExecutePath(const QString &v);
    const QString &BeforeExecutePath() const { return m_beforeExecutePath; }
    void setBeforeExecutePath(const QString &v);
    bool ExitTV() const { return m_exitTV; }
    void setExitTV(bool v) { m_exitTV = v; }
    bool ExitWindows() const { return m_exitWindows; }
    void setExitWindows(bool v) { m_exitWindows = v; }

    // The schedule's own settings objects; set replaces the object itself.
    const std::shared_ptr<ClsWave> &WaveSetting() const { return m_waveSetting; }
    void setWaveSetting(std::shared_ptr<ClsWave> v);
    const std::shared_ptr<ClsMP3> &MP3() const { return m_mp3; }
    void setMP3(std::shared_ptr<ClsMP3> v);

    qint32 SourceLineIndex() const { return m_sourceLineIndex; }
    void setSourceLineIndex(qint32 v) { m_sourceLineIndex = v; }
    qint32 DeviceID() const { return m_deviceID; }
    void setDeviceID(qint32 v) { m_deviceID = v; }
    bool UseSystemSourceDevice() const { return m_useSystemSourceDevice; }
    void setUseSystemSourceDevice(bool v) { m_useSystemSourceDevice = v; }
    // The sound server's source (its server name) recorded instead of device DeviceID; empty:
    // none. A source that is gone when a recording starts gives way to the system's input.
    const QString &ServerSource() const { return m_serverSource; }
    void setServerSource(const QString &v) { m_serverSource = v; }
    // An internet radio stream recorded instead of any device; empty: none. Only an http or
    // https address with a host is taken; anything else throws 13.
    const QString &StreamURL() const { return m_streamURL; }
    void setStreamURL(const QString &v);
    static bool IsStreamURL(const QString &v);
    bool Valid() const { return m_valid; }
    void setValid(bool v) { m_valid = v; }

    // Weekday 0 (Sunday) to 6 (Saturday); 1 means "records on this day". Other indexes throw 9.
    qint32 StartDay(qint32 Index) const;
    void setStartDay(qint32 Index, qint32 v);

    // "hh:mm:ss" texts, stored unchecked as the editor writes them.
    const QString &EndTime() const { return m_endTime; }
    void setEndTime(const QString &v) { m_endTime = v; }
    Seconds EndTimeDelay() const { return m_endTimeDelay; }
    void setEndTimeDelay(Seconds v) { m_endTimeDelay = v; }
    const QString &StartTime() const { return m_startTime; }
    void setStartTime(const QString &v);
    Seconds StartTimeDelay() const { return m_startTimeDelay; }
    void setStartTimeDelay(Seconds v) { m_startTimeDelay = v; }

    // Checks the folder and creates it (one level); an impossible folder, or one that is not an
    // absolute path, becomes the application folder, with a message to the user.
    const QString &SavePath() const { return m_savePath; }
    void setSavePath(const QString &v);
    // What the user is told when a save folder that cannot be found or made gives way to the
    // application folder.
    static QString FolderFallbackText(const QString &folder, const QString &name, const QString &appFolder);

    const QString &Name() const { return m_name; }
    void setName(const QString &v) { m_name = v; }
    FormatType RecordingFormat() const { return m_recordingFormat; }
    void setRecordingFormat(FormatType v) { m_recordingFormat = v; }
    const QString &WMEFilePath() const { return m_wmeFilePath; }
    void setWMEFilePath(const QString &v) { m_wmeFilePath = v; }
    // The file-name template.
    const QString &FileName() const { return m_fileName; }
    void setFileName(const QString &v) { m_fileName = v; }

    void CopyFrom(const ClsSchedule &CopySource);

    // Core-internal: the before-program of this occurrence has been queued.
    bool BeforeExecuted() const { return m_beforeExecuted; }
    void setBeforeExecuted(bool v) { m_beforeExecuted = v; }

    // StartTime read as a time of day; empty when it does not read as one.
    std::optional<Seconds> StartTimeOfDay() const { return m_startTimeOfDay; }
    // Core-internal: a malformed StartTime is reported once, until StartTime changes.
    bool TakeStartTimeReport() const;

    const std::shared_ptr<const CoreServices> &Services() const { return m_services; }

private:
    std::shared_ptr<const CoreServices> m_services;
    Seconds m_timeDayStart{0};
    bool m_hibernate = false;
    bool m_beforeExecute = false;
    qint32 m_beforeExecuteSeconds = 0;
    bool m_afterExecute = false;
    QString m_afterExecutePath;
    QString m_beforeExecutePath;
    bool m_exitTV = false;
    bool m_exitWindows = false;
    std::shared_ptr<ClsWave> m_waveSetting;
    std::shared_ptr<ClsMP3> m_mp3;
    qint32 m_sourceLineIndex = 0;
    qint32 m_deviceID = 0;
    bool m_useSystemSourceDevice = true;
    QString m_serverSource;
    QString m_streamURL;
    bool m_valid = true;
    std::array<qint32, 7> m_startDay{};
    QString m_endTime = QStringLiteral("00:00:00");
    Seconds m_endTimeDelay{0};
    QString m_startTime = QStringLiteral("00:00:00");
    std::optional<Seconds> m_startTimeOfDay{Seconds(0)};
    mutable bool m_startTimeReported = false;
    Seconds m_startTimeDelay{0};
    QString m_savePath;
    QString m_name = QStringLiteral("New");
    FormatType m_recordingFormat = FormatType::wave;
    QString m_wmeFilePath;
    QString m_fileName = QStringLiteral("\\N_\\Y\\M\\D\\h\\m\\s");
    bool m_beforeExecuted = false;
};

}  // namespace tolvane
