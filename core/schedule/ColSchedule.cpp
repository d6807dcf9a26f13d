#include "ColSchedule.h"

#include "core/platform/CoreServices.h"

#include <QTime>

namespace tolvane {

namespace {

const QString kSource = QStringLiteral("ColSchedule");

// The reference moment of a check on the local wall clock: the time of day and the weekday
// (0 = Sunday). Weekdays of moments near it are found by day arithmetic on the wall clock.
struct WallMoment {
    qint64 timeOfDay;  // seconds, 0 to 86399
    qint64 weekday;

    static WallMoment Of(const QDateTime &now, qint64 offsetSeconds)
    {
        const qint64 tod = SecondsOfDay(now).count() + offsetSeconds;
        const qint64 shift = FloorDiv(tod, kDay.count());
        const qint64 wd = (now.date().dayOfWeek() % 7 + shift) % 7;
        return {tod - shift * kDay.count(), (wd + 7) % 7};
    }

    // The weekday of this moment moved by `seconds`.
    qint64 WeekdayAfter(qint64 seconds) const
    {
        const qint64 shift = FloorDiv(timeOfDay + seconds, kDay.count());
        return ((weekday + shift) % 7 + 7) % 7;
    }
};

bool RunsOn(const ClsSchedule &s, qint64 weekday)
{
    return s.StartDay(static_cast<qint32>(weekday)) == 1;
}

// The start time of day, or nothing (with the first report of it) when it does not read as one.
std::optional<qint64> StartSeconds(const ClsSchedule &s, std::vector<NumberedError> *malformed)
{
    if (const auto start = s.StartTimeOfDay())
        return start->count();
    if (malformed && s.TakeStartTimeReport())
        malformed->emplace_back(ErrNo::TypeMismatch,
                                QStringLiteral("スケジュール「%1」の開始時刻「%2」が時刻として読めないため、"
                                               "このスケジュールは開始されません。")
                                    .arg(s.Name(), s.StartTime()),
                                kSource);
    return std::nullopt;
}

// R is StartTime + offset, or one second later (the window that survives a missed tick).
bool InWindow(qint64 referenceTod, qint64 start, qint64 offset)
{
    const qint64 e = WrapDay(Seconds(referenceTod - start - offset)).count();
    return e == 0 || e == 1;
}

}  // namespace

void LegacyScheduleValues::AssignMP3(ClsMP3 &mp3) const
{
    mp3.setMP3Stereo(MP3Stereo);
    mp3.setMP3FileFormat(MP3FileFormat);
    mp3.setMP3DeleteWavFile(MP3DeleteWavFile);
    mp3.setMP3VBRQuality(MP3VBRQuality);
    mp3.setMP3LimitVBRBitRate(MP3LimitVBRBitRate);
    mp3.setMP3VBR(MP3VBR);
    mp3.setMP3VBRMaxBitRate(MP3VBRMaxBitRate);
    mp3.setMP3VBRMinBitRate(MP3VBRMinBitRate);
    mp3.setMP3CBRMPEG1BitRate(MP3CBRMPEG1BitRate);
    mp3.setMP3CBRMPEG2BitRate(MP3CBRMPEG2BitRate);
    mp3.setMP3NotUsePsy(MP3NotUsePsy);
    mp3.setMP3NotUseLPF(MP3NotUseLPF);
    mp3.setMP3CustomizeLPF(MP3CustomizeLPF);
    mp3.setMP3LPFA(MP3LPFA);
    mp3.setMP3LPFB(MP3LPFB);
    mp3.setMP3SetnCPU(MP3SetnCPU);
    mp3.setMP3nCPU(MP3nCPU);
    mp3.setMP3SetPriority(MP3SetPriority);
    mp3.setMP3Priority(MP3Priority);
    mp3.setMP3NotUseEnhancedCPU(MP3NotUseEnhancedCPU);
    mp3.setMP3NotUseMMX(MP3NotUseMMX);
    mp3.setMP3NotUse3DNow(MP3NotUse3DNow);
    mp3.setMP3NotUseSSE(MP3NotUseSSE);
    mp3.setMP3NotUseEnhanced3DNow(MP3NotUseEnhanced3DNow);
    mp3.setMP3SetIOFreq(MP3SetIOFreq);
    mp3.setMP3InFreq(MP3InFreq);
    mp3.setMP3OutFreq(MP3OutFreq);
}

void ColSchedule::Add(Ptr schedule, const QString &key)
{
    if (!schedule)
        throw NumberedError::Standard(ErrNo::ObjectNotSet, kSource);
    for (const Entry &e : m_entries)
        if (e.key == key)
            throw NumberedError::Standard(ErrNo::DuplicateKey, kSource);
    m_entries.push_back({key, std::move(schedule)});
}

ColSchedule::Ptr ColSchedule::Add2(const QString &key, const LegacyScheduleValues &v,
                                   std::shared_ptr<const CoreServices> services)
{
    auto s = std::make_shared<ClsSchedule>(std::move(services));
    Add(s, key);
    s->setName(v.Name);
    for (qint32 day = 0; day < 7; ++day) {
        if (static_cast<size_t>(day) >= v.StartDay.size())
            throw NumberedError::Standard(ErrNo::SubscriptOutOfRange, kSource);
        s->setStartDay(day, v.StartDay[static_cast<size_t>(day)]);
    }
    s->setStartTime(v.StartTime);
    s->setEndTime(v.EndTime);
    s->setValid(v.Valid);
    ClsWave &wave = *s->WaveSetting();
    wave.setBit(static_cast<Bit>(v.Bit));
    wave.setFrequency(static_cast<Frequency>(v.Frequency));
    wave.setChannel(static_cast<Channel>(v.Channel));
    wave.setSNSValid(v.CutSNS);
    wave.setENSValid(v.CutENS);
    s->setRecordingFormat(static_cast<FormatType>(v.RecordingFormat));
    s->setWMEFilePath(v.WMEFilePath);
    s->setSavePath(v.SavePath);
    s->setFileName(v.FileName);
    v.AssignMP3(*s->MP3());
    s->setUseSystemSourceDevice(v.UseSystemSourceDevice);
    s->setDeviceID(v.DeviceIndex);
    s->setSourceLineIndex(v.SourceLineIndex);
    return s;
}

qsizetype ColSchedule::IndexOf(const QString &keyOrPosition) const
{
    bool numeric = false;
    const double position = keyOrPosition.trimmed().toDouble(&numeric);
    if (numeric) {
        if (position < 0 || position >= static_cast<double>(m_entries.size()))
            throw NumberedError::Standard(ErrNo::SubscriptOutOfRange, kSource);
        return static_cast<qsizetype>(position);
    }
    for (size_t i = 0; i < m_entries.size(); ++i)
        if (m_entries[i].key == keyOrPosition)
            return static_cast<qsizetype>(i);
    throw NumberedError::Standard(ErrNo::InvalidProcedureCall, kSource);
}

ColSchedule::Ptr ColSchedule::Item(qsizetype position) const
{
    if (position < 0 || position >= Count())
        throw NumberedError::Standard(ErrNo::SubscriptOutOfRange, kSource);
    return m_entries[static_cast<size_t>(position)].schedule;
}

ColSchedule::Ptr ColSchedule::Item(const QString &keyOrPosition) const
{
    return m_entries[static_cast<size_t>(IndexOf(keyOrPosition))].schedule;
}

void ColSchedule::Remove(qsizetype position)
{
    if (position < 0 || position >= Count())
        throw NumberedError::Standard(ErrNo::SubscriptOutOfRange, kSource);
    m_entries.erase(m_entries.begin() + position);
}

void ColSchedule::Remove(const QString &keyOrPosition)
{
    m_entries.erase(m_entries.begin() + IndexOf(keyOrPosition));
}

template <typename Consider, typename Lead>
ColSchedule::Ptr ColSchedule::FirstDue(const QDateTime &now, qint64 offsetSeconds, Consider consider, Lead lead,
                                       std::vector<NumberedError> *malformed) const
{
    const WallMoment n = WallMoment::Of(now, offsetSeconds);
    for (const Entry &e : m_entries) {
        const ClsSchedule &s = *e.schedule;
        if (!consider(s))
            continue;
        // The weekday is that of the moment the schedule was set for, before its delay.
        const qint64 b = lead(s);
        const qint64 d = WrapDay(s.StartTimeDelay()).count();
        if (!RunsOn(s, n.WeekdayAfter(b - d)))
            continue;
        const auto start = StartSeconds(s, malformed);
        if (start && InWindow(n.timeOfDay, *start, WrapDay(Seconds(d - b)).count()))
            return e.schedule;
    }
    return nullptr;
}

ColSchedule::Ptr ColSchedule::CheckStartSchedule(const QDateTime &now, qint32 iBeforeSeconds,
                                                 std::vector<NumberedError> *malformed) const
{
    return FirstDue(
        now, iBeforeSeconds, [](const ClsSchedule &s) { return s.Valid(); }, [](const ClsSchedule &) { return 0; },
        malformed);
}

ColSchedule::Ptr ColSchedule::CheckScheduleBefore5Second(const QDateTime &now,
                                                         std::vector<NumberedError> *malformed) const
{
    return FirstDue(
        now, 5,
        [](const ClsSchedule &s) {
            // A stream takes its time to connect, as the Windows Media encoder does to start.
            return (s.RecordingFormat() == FormatType::windowsmedia || !s.StreamURL().isEmpty()) && s.Valid();
        },
        [](const ClsSchedule &) { return 0; }, malformed);
}

ColSchedule::Ptr ColSchedule::CheckBeforeExecute(const QDateTime &now, std::vector<NumberedError> *malformed) const
{
    return FirstDue(
        now, 0, [](const ClsSchedule &s) { return s.BeforeExecute() && s.Valid() && !s.BeforeExecuted(); },
        [](const ClsSchedule &s) { return qint64{s.BeforeExecuteSeconds()}; }, malformed);
}

}  // namespace tolvane
