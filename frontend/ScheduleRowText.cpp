#include "ScheduleRowText.h"

#include <array>

namespace tolvane::RowText {

namespace {

QString EnabledText(bool on)
{
    return on ? QStringLiteral("有効") : QStringLiteral("無効");
}

}  // namespace

QString Days(const ClsSchedule &s)
{
    static const std::array<QString, 7> names{QStringLiteral("日"), QStringLiteral("月"), QStringLiteral("火"),
                                              QStringLiteral("水"), QStringLiteral("木"), QStringLiteral("金"),
                                              QStringLiteral("土")};
    QString text;
    for (qint32 day = 0; day < 7; ++day) {
        if (s.StartDay(day) == 1)
            text += names[static_cast<size_t>(day)];
    }
    return text;
}

QString Valid(const ClsSchedule &s)
{
    return EnabledText(s.Valid());
}

QString Format(const ClsSchedule &s)
{
    if (s.RecordingFormat() == FormatType::windowsmedia)
        return QStringLiteral("WindowsMedia形式") + s.WMEFilePath();

    const ClsWave &wave = *s.WaveSetting();
    QString text;
    if (s.RecordingFormat() == FormatType::MP3) {
        const ClsMP3 &mp3 = *s.MP3();
        if (mp3.MP3VBR()) {
            text = QStringLiteral("MP3VBR") + QString::number(mp3.MP3VBRQuality());
        } else {
            // 22050 Hz is encoded as MPEG-2, which has its own bit rate.
            const qint32 rate = wave.Frequency() == Frequency::Mi22050Hz ? mp3.MP3CBRMPEG2BitRate()
                                                                          : mp3.MP3CBRMPEG1BitRate();
            text = QStringLiteral("MP3CBR") + QString::number(rate) + QStringLiteral("kbps");
        }
        if (mp3.MP3Stereo() == 0)
            text += QStringLiteral("強制モノラル");
    }
    return text + QStringLiteral("WAVE形式") + QString::number(BitsPerSampleOf(wave.Bit())) + QStringLiteral("bit") +
           QString::number(SampleRateOf(wave.Frequency())) + QStringLiteral("Hz") +
           QString::number(static_cast<qint32>(wave.Channel()) + 1) + QStringLiteral("Ch");
}

QString SavePath(const ClsSchedule &s, const QString &defaultSavePath)
{
    if (s.SavePath().isEmpty())
        return QStringLiteral("標準の保存先") + defaultSavePath;
    return s.SavePath();
}

QString SplitByTime(const ClsSchedule &s)
{
    const ClsWave &wave = *s.WaveSetting();
    if (!wave.SplitByTime())
        return QStringLiteral("無効");
    return FormatTimeOfDay(wave.SplitTime()) + QStringLiteral("毎");
}

QString SplitNoSound(const ClsSchedule &s)
{
    return EnabledText(s.WaveSetting()->Split());
}

QString Cut(const ClsSchedule &s)
{
    const ClsWave &wave = *s.WaveSetting();
    if (wave.SNSValid() && wave.ENSValid())
        return QStringLiteral("前後カット");
    if (wave.SNSValid())
        return QStringLiteral("前カット");
    if (wave.ENSValid())
        return QStringLiteral("後カット");
    return QStringLiteral("カットなし(またはWindowsMedia)");
}

}  // namespace tolvane::RowText
