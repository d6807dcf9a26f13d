#include "ScheduleChecks.h"

#include "common/NumberedError.h"
#include "core/schedule/ClsWave.h"
#include "core/schedule/ScheduleTypes.h"

namespace tolvane {

namespace {

const QChar kQuote = u'"';

// A WAVE file is split before it reaches this size.
constexpr double kWaveSizeLimit = 2000000000.0;

}  // namespace

bool ScheduleChecks::IsValidFileNameTemplate(const QString &text)
{
    static const QString forbidden = QStringLiteral("?*;,:<>|") + kQuote;
    static const QString backslashCodes = QStringLiteral("MYDhmsN");
    static const QString slashCodes = QStringLiteral("MYD");
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (forbidden.contains(c))
            return false;
        const QString *codes = c == u'\\' ? &backslashCodes : c == u'/' ? &slashCodes : nullptr;
        if (!codes)
            continue;
        if (i + 1 >= text.size() || !codes->contains(text[i + 1]))
            return false;
    }
    return true;
}

QString ScheduleChecks::FileNameTemplateMessage()
{
    return QStringLiteral("/\\は日付/時刻表示書式指定文字の1文字目としてのみ使用可能です。:,;*?\"<>|は使用不可能です。");
}

std::optional<qint32> ScheduleChecks::BeforeExecuteSeconds(const QString &text)
{
    bool whole = false;
    const int seconds = text.trimmed().toInt(&whole);
    if (!whole || seconds < 1)
        return std::nullopt;
    return seconds;
}

QString ScheduleChecks::BeforeExecuteSecondsMessage()
{
    return QStringLiteral("秒数は正の整数でなければなりません");
}

std::optional<double> ScheduleChecks::SplitSeconds(const QString &text)
{
    // Less than a second of silence would split the recording at every pause.
    bool whole = false;
    const int seconds = text.trimmed().toInt(&whole);
    if (!whole || seconds < 1)
        return std::nullopt;
    return seconds;
}

QString ScheduleChecks::SplitSecondsMessage()
{
    return QStringLiteral("ファイルを分割する無音部の長さには正の整数を入力してください。");
}

bool ScheduleChecks::SplitTimeAccepted(bool splitByTime, Seconds splitTime)
{
    return !splitByTime || splitTime > Seconds(0);
}

QString ScheduleChecks::SplitTimeMessage()
{
    return QStringLiteral("分割時間は1秒以上を指定して下さい");
}

bool ScheduleChecks::NoSounddBAccepted(const QString &text)
{
    bool number = false;
    const double dB = text.trimmed().toDouble(&number);
    // The wave settings take any number; a level above full scale is refused here.
    if (number && dB > 0)
        return false;
    try {
        ClsWave().setNoSounddB(text);
        return true;
    } catch (const NumberedError &) {
        return false;
    }
}

QString ScheduleChecks::NoSounddBMessage()
{
    return QStringLiteral("無音とみなす音圧には0以下の数または半角文字で-infを入力してください。");
}

bool ScheduleChecks::ReachesWaveSizeLimit(const ClsWave &wave, Seconds length)
{
    const double bytesPerSecond =
        BitsPerSampleOf(wave.Bit()) / 8.0 * ChannelCountOf(wave.Channel()) * SampleRateOf(wave.Frequency());
    return kWaveSizeLimit / bytesPerSecond < static_cast<double>(length.count());
}

QString ScheduleChecks::WaveSizeQuestion()
{
    return QStringLiteral("waveファイルのサイズが約2GBに達する、または超えます。このままの場合録音時に自動分割します。"
                          "このままでよろしいですか?");
}

QString ScheduleChecks::DuplicateNameQuestion()
{
    return QStringLiteral("重複するスケジュール名が存在しますが、よろしいですか?");
}

}  // namespace tolvane
