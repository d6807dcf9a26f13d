#include "ScheduleRowText.h"

#include <QCoreApplication>

#include <array>

namespace tolvane::RowText {

namespace {

QString EnabledText(bool on)
{
    return on ? QCoreApplication::translate("tolvane::RowText", "有効") : QCoreApplication::translate("tolvane::RowText", "無効");
}

}  // namespace

QString Days(const ClsSchedule &s)
{
    const std::array<QString, 7> names{
        QCoreApplication::translate("tolvane::RowText", "日"), QCoreApplication::translate("tolvane::RowText", "月"),
        QCoreApplication::translate("tolvane::RowText", "火"), QCoreApplication::translate("tolvane::RowText", "水"),
        QCoreApplication::translate("tolvane::RowText", "木"), QCoreApplication::translate("tolvane::RowText", "金"),
        QCoreApplication::translate("tolvane::RowText", "土")};
    QString text;
    for (qint32 day = 0; day < 7; ++day) {
        if (s.StartDay(day) == 1)
            text += names[static_cast<size_t>(day)];
    }
    // A language whose day names are not single characters separates them with spaces.
    return text.trimmed();
}

QString Valid(const ClsSchedule &s)
{
    return EnabledText(s.Valid());
}

QString Format(const ClsSchedule &s)
{
    if (s.RecordingFormat() == FormatType::windowsmedia)
        return QCoreApplication::translate("tolvane::RowText", "WindowsMedia形式%1").arg(s.WMEFilePath());

    const ClsWave &wave = *s.WaveSetting();
    QString text;
    if (s.RecordingFormat() == FormatType::MP3) {
        const ClsMP3 &mp3 = *s.MP3();
        if (mp3.MP3VBR()) {
            text = QCoreApplication::translate("tolvane::RowText", "MP3VBR%1").arg(mp3.MP3VBRQuality());
        } else {
            // 22050 Hz is encoded as MPEG-2, which has its own bit rate.
            const qint32 rate = wave.Frequency() == Frequency::Mi22050Hz ? mp3.MP3CBRMPEG2BitRate()
                                                                          : mp3.MP3CBRMPEG1BitRate();
            text = QCoreApplication::translate("tolvane::RowText", "MP3CBR%1kbps").arg(rate);
        }
        if (mp3.MP3Stereo() == 0)
            text += QCoreApplication::translate("tolvane::RowText", "強制モノラル");
    }
    return text + QCoreApplication::translate("tolvane::RowText", "WAVE形式%1bit%2Hz%3Ch")
                      .arg(BitsPerSampleOf(wave.Bit()))
                      .arg(SampleRateOf(wave.Frequency()))
                      .arg(static_cast<qint32>(wave.Channel()) + 1);
}

QString SavePath(const ClsSchedule &s, const QString &defaultSavePath)
{
    if (s.SavePath().isEmpty())
        return QCoreApplication::translate("tolvane::RowText", "標準の保存先%1").arg(defaultSavePath);
    return s.SavePath();
}

QString SplitByTime(const ClsSchedule &s)
{
    const ClsWave &wave = *s.WaveSetting();
    if (!wave.SplitByTime())
        return QCoreApplication::translate("tolvane::RowText", "無効");
    return QCoreApplication::translate("tolvane::RowText", "%1毎").arg(FormatTimeOfDay(wave.SplitTime()));
}

QString SplitNoSound(const ClsSchedule &s)
{
    return EnabledText(s.WaveSetting()->Split());
}

QString Cut(const ClsSchedule &s)
{
    const ClsWave &wave = *s.WaveSetting();
    if (wave.SNSValid() && wave.ENSValid())
        return QCoreApplication::translate("tolvane::RowText", "前後カット");
    if (wave.SNSValid())
        return QCoreApplication::translate("tolvane::RowText", "前カット");
    if (wave.ENSValid())
        return QCoreApplication::translate("tolvane::RowText", "後カット");
    return QCoreApplication::translate("tolvane::RowText", "カットなし(またはWindowsMedia)");
}

}  // namespace tolvane::RowText
