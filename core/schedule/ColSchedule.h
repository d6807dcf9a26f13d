#pragma once
// The controller's ordered, keyed list of stored schedules, and the timetable's due checks:
// which schedule starts now (or in n seconds), which Windows Media schedule must be prepared
// five seconds ahead, and whose before-program is due.

#include "common/NumberedError.h"
#include "core/schedule/ClsSchedule.h"

#include <QDateTime>
#include <QString>

#include <memory>
#include <vector>

namespace tolvane {

// The values of one schedule of the old text file, in the order they are assigned.
struct LegacyScheduleValues {
    QString Name;
    std::vector<qint32> StartDay;  // seven values, Sunday first
    QString StartTime;
    QString EndTime;
    bool Valid = true;
    qint32 Bit = 1;
    qint32 Frequency = 2;
    qint32 Channel = 1;
    QString SavePath;
    bool CutSNS = false;
    bool CutENS = false;
    qint32 RecordingFormat = 0;
    QString WMEFilePath;
    bool MP3 = false;  // carried for completeness; the format alone decides
    qint32 MP3Stereo = 2;
    qint32 MP3FileFormat = 0;
    bool MP3DeleteWavFile = false;
    bool MP3VBR = false;
    qint32 MP3VBRQuality = 0;
    bool MP3LimitVBRBitRate = false;
    qint32 MP3VBRMaxBitRate = 160;
    qint32 MP3VBRMinBitRate = 32;
    qint32 MP3CBRMPEG1BitRate = 128;
    qint32 MP3CBRMPEG2BitRate = 80;
    bool MP3NotUsePsy = false;
    bool MP3NotUseLPF = false;
    bool MP3CustomizeLPF = false;
    qint32 MP3LPFA = 55;
    qint32 MP3LPFB = 75;
    bool MP3SetnCPU = false;
    qint32 MP3nCPU = 1;
    qint32 MP3SetPriority = 0;
    qint32 MP3Priority = 0;
    bool MP3NotUseEnhancedCPU = false;
    bool MP3NotUseMMX = false;
    bool MP3NotUse3DNow = false;
    bool MP3NotUseSSE = false;
    bool MP3NotUseEnhanced3DNow = false;
    bool MP3SetIOFreq = false;
    qint32 MP3InFreq = 44100;
    qint32 MP3OutFreq = 44100;
    QString FileName = QStringLiteral("\\Y\\M\\D\\h\\m\\s");
    bool UseSystemSourceDevice = true;
    qint32 DeviceIndex = 0;
    qint32 SourceLineIndex = 0;

    // Assigns the MP3... values to `mp3`; they are plain values, so the order does not matter.
    void AssignMP3(ClsMP3 &mp3) const;
};

class ColSchedule {
public:
    using Ptr = std::shared_ptr<ClsSchedule>;

    // Appends the object itself under `key`; a key already present throws 457.
    void Add(Ptr schedule, const QString &key);

    // Makes a schedule, adds it under `key` first, then assigns the values in their order
    // (a failure leaves the partly filled schedule in the list).
    Ptr Add2(const QString &key, const LegacyScheduleValues &values,
             std::shared_ptr<const CoreServices> services);

    // A number, or text that reads as one, is a zero-based position; other text is a key.
    Ptr Item(qsizetype position) const;
    Ptr Item(const QString &keyOrPosition) const;
    void Remove(qsizetype position);
    void Remove(const QString &keyOrPosition);

    void Clear() { m_entries.clear(); }
    qsizetype Count() const { return static_cast<qsizetype>(m_entries.size()); }
    const QString &KeyAt(qsizetype position) const { return m_entries.at(static_cast<size_t>(position)).key; }

    // Each returns the first due schedule in list order, or null. A schedule reached by the
    // check whose StartTime does not read as a time is skipped; it is added to `malformed`
    // the first time it is skipped after its StartTime was set.
    Ptr CheckStartSchedule(const QDateTime &now, qint32 iBeforeSeconds,
                           std::vector<NumberedError> *malformed = nullptr) const;
    // A Windows Media or stream schedule due in five seconds (they are prepared that early).
    Ptr CheckScheduleBefore5Second(const QDateTime &now, std::vector<NumberedError> *malformed = nullptr) const;
    Ptr CheckBeforeExecute(const QDateTime &now, std::vector<NumberedError> *malformed = nullptr) const;

    struct Entry {
        QString key;
        Ptr schedule;
    };
    auto begin() const { return m_entries.begin(); }
    auto end() const { return m_entries.end(); }

private:
    template <typename Consider, typename Lead>
    Ptr FirstDue(const QDateTime &now, qint64 offsetSeconds, Consider consider, Lead lead,
                 std::vector<NumberedError> *malformed) const;
    qsizetype IndexOf(const QString &keyOrPosition) const;

    std::vector<Entry> m_entries;
};

}  // namespace tolvane
