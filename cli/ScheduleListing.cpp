#include "ScheduleListing.h"

#include "core/schedule/ScheduleTypes.h"
#include "core/schedule/TimeOfDay.h"

#include <QJsonValue>

namespace tolvane::cli {

namespace {

const char *const kDays[] = {"sun", "mon", "tue", "wed", "thu", "fri", "sat"};
const char *const kStereoModes[] = {"mono", "stereo", "joint", "mid-side", "dual"};
const char *const kMp3Files[] = {"mp3", "riff-wave", "riff-rmp"};

QString DaysOf(const ClsSchedule &s)
{
    QStringList days;
    for (qint32 day = 0; day < 7; ++day) {
        if (s.StartDay(day) == 1)
            days << QString::fromLatin1(kDays[day]);
    }
    return days.isEmpty() ? QStringLiteral("none") : days.join(QLatin1Char(','));
}

QString FormatOf(FormatType f)
{
    switch (f) {
    case FormatType::MP3: return QStringLiteral("mp3");
    case FormatType::windowsmedia: return QStringLiteral("windowsmedia");
    case FormatType::wave: break;
    }
    return QStringLiteral("wave");
}

// The action `--when-done` names for the three switches, read as the recorder reads them.
QString WhenDoneOf(const ClsSchedule &s)
{
    if (s.Hibernate())
        return s.ExitTV() ? QStringLiteral("hibernate-quit") : QStringLiteral("hibernate");
    if (s.ExitWindows())
        return QStringLiteral("power-off");
    return s.ExitTV() ? QStringLiteral("quit") : QStringLiteral("nothing");
}

QString Choice(const char *const *names, qsizetype count, qint32 index)
{
    return index >= 0 && index < count ? QString::fromLatin1(names[index]) : QString::number(index);
}

}  // namespace

ScheduleListing::ScheduleListing(const ClsSchedule &s, qsizetype number, const QString &defaultFolder)
    : m_defaultFolder(defaultFolder)
{
    const auto add = [this](const char *key, const QJsonValue &value) {
        m_order << QString::fromLatin1(key);
        m_fields.insert(QString::fromLatin1(key), value);
    };
    const ClsWave &w = *s.WaveSetting();
    const ClsMP3 &m = *s.MP3();
    const ID3Tag tag = m.ID3Tag();
    const std::optional<Seconds> start = ParseTimeOfDay(s.StartTime());
    const std::optional<Seconds> end = ParseTimeOfDay(s.EndTime());

    add("number", qint64(number));
    add("name", s.Name());
    add("enabled", s.Valid());
    add("days", DaysOf(s));
    add("start", s.StartTime());
    add("end", s.EndTime());
    // An end at the start is a whole day, as the recorder counts it.
    const Seconds length = start && end ? WrapDay(*end - *start) : Seconds(0);
    add("for", start && end ? (length.count() ? FormatTimeOfDay(length) : QStringLiteral("24:00:00")) : QString());
    add("start-delay", FormatTimeOfDay(s.StartTimeDelay()));
    add("end-delay", FormatTimeOfDay(s.EndTimeDelay()));
    add("format", FormatOf(s.RecordingFormat()));
    add("folder", s.SavePath());
    add("template", s.FileName());
    add("day-start", FormatTimeOfDay(s.TimeDayStart()));
    add("device", s.UseSystemSourceDevice() ? QJsonValue(QStringLiteral("system")) : QJsonValue(s.DeviceID()));
    add("input", s.SourceLineIndex());
    add("source", s.ServerSource());
    add("url", s.StreamURL());
    add("wme-session", s.WMEFilePath());
    add("rate", SampleRateOf(w.Frequency()));
    add("bits", BitsPerSampleOf(w.Bit()));
    add("channels", w.Channel() == Channel::mono ? QStringLiteral("mono") : QStringLiteral("stereo"));
    add("trim-start", w.SNSValid());
    add("trim-end", w.ENSValid());
    add("silence-level", w.NoSounddB().isValid() ? w.NoSounddB().toString() : QStringLiteral("0"));
    add("split-silence", w.Split() ? QJsonValue(w.NoSoundSeconds()) : QJsonValue());
    add("split-every", w.SplitByTime() ? QJsonValue(FormatTimeOfDay(w.SplitTime())) : QJsonValue());
    add("mp3-mode", Choice(kStereoModes, 5, m.MP3Stereo()));
    add("mp3-file", Choice(kMp3Files, 3, m.MP3FileFormat()));
    add("bitrate", m.MP3CBRMPEG1BitRate());
    add("bitrate-low", m.MP3CBRMPEG2BitRate());
    add("vbr", m.MP3VBR() ? QJsonValue(m.MP3VBRQuality()) : QJsonValue());
    add("vbr-range", m.MP3LimitVBRBitRate()
                         ? QJsonValue(QStringLiteral("%1-%2").arg(m.MP3VBRMinBitRate()).arg(m.MP3VBRMaxBitRate()))
                         : QJsonValue());
    add("realtime", m.MP3RealTime());
    add("delete-wave", m.MP3DeleteWavFile());
    add("id3", m.MakeID3Tag());
    add("title", tag.Title);
    add("artist", tag.Artist);
    add("album", tag.Album);
    add("year", tag.Year);
    add("comment", tag.Comment);
    add("genre", int(tag.GenreNo));
    add("before", s.BeforeExecute() ? QJsonValue(s.BeforeExecutePath()) : QJsonValue());
    add("before-seconds", s.BeforeExecuteSeconds());
    add("after", s.AfterExecute() ? QJsonValue(s.AfterExecutePath()) : QJsonValue());
    add("when-done", WhenDoneOf(s));
}

QString ScheduleListing::Text() const
{
    QString text = QStringLiteral("#%1 %2\n").arg(m_fields.value(QStringLiteral("number")).toInteger())
                       .arg(m_fields.value(QStringLiteral("name")).toString());
    for (const QString &key : m_order.mid(2)) {
        const QJsonValue v = m_fields.value(key);
        QString shown = v.isBool()     ? QString::fromLatin1(v.toBool() ? "yes" : "no")
                        : v.isNull()   ? QStringLiteral("off")
                        : v.isDouble() ? QString::number(v.toDouble())
                                       : v.toString();
        if (key == QLatin1String("folder") && shown.isEmpty())
            shown = QStringLiteral("(the default save folder, %1)").arg(m_defaultFolder);
        text += QStringLiteral("  %1%2\n").arg(key, -16).arg(shown);
    }
    return text;
}

}  // namespace tolvane::cli
