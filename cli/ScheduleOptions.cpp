#include "ScheduleOptions.h"

#include "core/schedule/ScheduleChecks.h"
#include "core/schedule/TimeOfDay.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <array>

namespace tolvane::cli {

namespace {

const std::array<const char *, 7> kDays = {"sun", "mon", "tue", "wed", "thu", "fri", "sat"};
// The bit rates the MP3 dialog offers, in kbit/s.
const QList<qint32> kMpeg1Rates = {32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320};
const QList<qint32> kMpeg2Rates = {8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160};
const QStringList kStereoModes = {"mono", "stereo", "joint", "mid-side", "dual"};
const QStringList kMp3Files = {"mp3", "riff-wave", "riff-rmp"};
const QStringList kWhenDone = {"nothing", "quit", "power-off", "hibernate", "hibernate-quit"};

// Options that switch something on, each with the one that switches it off.
const std::pair<const char *, const char *> kOpposites[] = {
    {"enabled", "disabled"},        {"trim-start", "no-trim-start"}, {"trim-end", "no-trim-end"},
    {"split-silence", "no-split-silence"}, {"split-every", "no-split-every"}, {"vbr", "cbr"},
    {"vbr-range", "no-vbr-range"},  {"realtime", "no-realtime"},     {"delete-wave", "no-delete-wave"},
    {"id3", "no-id3"},              {"before", "no-before"},         {"after", "no-after"},
    {"end", "for"},
};

QString Name(const char *option)
{
    return QString::fromLatin1(option);
}

QString Quoted(const QString &value)
{
    return QLatin1Char('"') + value + QLatin1Char('"');
}

QString RateList(const QList<qint32> &rates)
{
    QStringList texts;
    for (qint32 r : rates)
        texts << QString::number(r);
    return texts.join(QStringLiteral(", "));
}

// A path given on the command line is the shell's: relative to the working folder.
QString Absolute(const QString &path)
{
    return path.isEmpty() ? path : QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

std::optional<qint32> WholeNumber(const QString &text, qint32 low, qint32 high)
{
    bool whole = false;
    const qint32 value = text.trimmed().toInt(&whole);
    if (!whole || value < low || value > high)
        return std::nullopt;
    return value;
}

}  // namespace

void ScheduleOptions::Declare(QCommandLineParser &parser, Command command)
{
    const auto value = [&](const char *name, const char *description, const char *valueName) {
        parser.addOption({Name(name), QString::fromUtf8(description), QString::fromLatin1(valueName)});
    };
    const auto flag = [&](const char *name, const char *description) {
        parser.addOption({Name(name), QString::fromUtf8(description)});
    };
    if (command == Command::Edit)
        value("rename", "give the schedule a new name", "NAME");
    value("days", "the days it records: sun,mon,tue,wed,thu,fri,sat; all; none", "DAYS");
    value("start", "the start, a time of day", "hh:mm:ss");
    value("end", "the end, a time of day; one before the start is on the next day, and one equal to the start "
                 "records 24 hours",
          "hh:mm:ss");
    value("for", "the length, in place of --end", "hh:mm:ss");
    flag("enabled", "the schedule records (a new one does)");
    flag("disabled", "the schedule is kept but does not record");
    value("format", "wave, mp3 (encoded from the WAVE file) or windowsmedia", "FORMAT");
    value("folder", "the save folder, made when missing; \"\" for the default save folder", "DIR");
    value("template", "the file-name template (\\N name, \\Y\\M\\D date, \\h\\m\\s time; /Y /M /D short)", "TEMPLATE");
    value("day-start", "the time at which the template's date turns to the next day", "hh:mm:ss");
    value("device", "the sound device (its DeviceID in tolvane-cli devices), or system for the system's input",
          "N|system");
    value("input", "the recording input of the device's selector (SourceLineIndex), -1 for none", "N");
    value("source", "a source of the sound server by its name (tolvane-cli devices lists them, monitors "
                    "included); one that is gone when a recording starts gives way to the system's input",
          "NAME");
    value("url", "an internet radio stream (http or https) recorded in place of any device; \"\" for none", "URL");
    value("wme-session", "the Windows Media session file", "FILE");
    value("rate", "the sample rate: 11025, 22050, 32000, 44100 or 48000", "HZ");
    value("bits", "8 or 16 bits per sample", "BITS");
    value("channels", "mono or stereo", "CHANNELS");
    flag("trim-start", "cut the silence at the start");
    flag("no-trim-start", "keep the silence at the start");
    flag("trim-end", "cut the silence at the end");
    flag("no-trim-end", "keep the silence at the end");
    value("silence-level", "the level counted as silence: a number of dB not above 0, or -inf", "DB");
    value("split-silence", "split the recording at silences this long", "SECONDS");
    flag("no-split-silence", "do not split at silences");
    value("split-every", "split the recording into parts this long", "hh:mm:ss");
    flag("no-split-every", "do not split by time");
    value("mp3-mode", "mono, stereo, joint, mid-side or dual", "MODE");
    value("mp3-file", "mp3, riff-wave or riff-rmp", "KIND");
    value("bitrate", "the constant bit rate at 32000 Hz and above, kbit/s", "KBPS");
    value("bitrate-low", "the constant bit rate below 32000 Hz, kbit/s", "KBPS");
    value("vbr", "a variable bit rate of this quality, 0 (best) to 9", "QUALITY");
    flag("cbr", "a constant bit rate");
    value("vbr-range", "the lowest and the highest variable bit rate, kbit/s", "MIN-MAX");
    flag("no-vbr-range", "no limits to the variable bit rate");
    flag("realtime", "encode while recording, without a WAVE file");
    flag("no-realtime", "encode the WAVE file after the recording");
    flag("delete-wave", "delete the WAVE file after it was encoded");
    flag("no-delete-wave", "keep the WAVE file");
    flag("id3", "write an ID3 tag");
    flag("no-id3", "write no ID3 tag");
    value("title", "the tag's title (template codes allowed; \\N by default)", "TEXT");
    value("artist", "the tag's artist", "TEXT");
    value("album", "the tag's album", "TEXT");
    value("year", "the tag's year (\\Y by default)", "TEXT");
    value("comment", "the tag's comment", "TEXT");
    value("genre", "the tag's genre number, 0 to 255", "N");
    value("before", "run this program before the recording", "PROGRAM");
    value("before-seconds", "how many seconds before the start it runs", "N");
    flag("no-before", "run no program before the recording");
    value("after", "run this program after the recording", "PROGRAM");
    flag("no-after", "run no program after the recording");
    value("when-done", "nothing, quit, power-off, hibernate or hibernate-quit after the recording", "ACTION");
    flag("yes", "keep a WAVE recording that reaches 2 GB (it is split when it does)");
}

bool ScheduleOptions::Has(const char *option) const
{
    return m_given.contains(Name(option));
}

bool ScheduleOptions::SetsWave() const
{
    static const char *const options[] = {"rate", "bits", "channels", "trim-start", "no-trim-start", "trim-end",
                                          "no-trim-end", "silence-level", "split-silence", "no-split-silence",
                                          "split-every", "no-split-every"};
    return std::any_of(std::begin(options), std::end(options), [this](const char *o) { return Has(o); });
}

bool ScheduleOptions::SetsMp3() const
{
    static const char *const options[] = {"mp3-mode", "mp3-file", "bitrate", "bitrate-low", "vbr", "cbr",
                                          "vbr-range", "no-vbr-range", "realtime", "no-realtime", "delete-wave",
                                          "no-delete-wave", "id3", "no-id3", "title", "artist", "album",
                                          "year", "comment", "genre"};
    return std::any_of(std::begin(options), std::end(options), [this](const char *o) { return Has(o); });
}

bool ScheduleOptions::Read(const QCommandLineParser &parser, QString &problem)
{
    m_given = parser.optionNames();
    for (const auto &[on, off] : kOpposites) {
        if (Has(on) && Has(off)) {
            problem = QStringLiteral("--%1 and --%2 cannot go together").arg(Name(on), Name(off));
            return false;
        }
    }
    m_yes = Has("yes");
    if (Has("rename")) {
        m_newName = parser.value(QStringLiteral("rename"));
        if (m_newName->isEmpty()) {
            problem = QStringLiteral("--rename takes a name");
            return false;
        }
    }
    return ReadTimes(parser, problem) && ReadWave(parser, problem) && ReadMp3(parser, problem) &&
           ReadAround(parser, problem);
}

bool ScheduleOptions::ReadTimes(const QCommandLineParser &parser, QString &problem)
{
    if (Has("days")) {
        int flags[7] = {0, 0, 0, 0, 0, 0, 0};
        const QString text = parser.value(QStringLiteral("days")).trimmed().toLower();
        if (text == QLatin1String("all")) {
            std::fill(std::begin(flags), std::end(flags), 1);
        } else if (text != QLatin1String("none")) {
            for (const QString &word : text.split(QLatin1Char(','))) {
                const auto day = std::find(kDays.begin(), kDays.end(), word.trimmed());
                if (day == kDays.end()) {
                    problem = QStringLiteral("--days takes sun, mon, tue, wed, thu, fri and sat, separated by commas "
                                             "(or all, or none), not %1")
                                  .arg(Quoted(word.trimmed()));
                    return false;
                }
                flags[day - kDays.begin()] = 1;
            }
        }
        m_changes.push_back([flags](ClsSchedule &s) {
            for (qint32 day = 0; day < 7; ++day)
                s.setStartDay(day, flags[day]);
        });
    }
    const auto time = [&](const char *option, std::optional<Seconds> &into) {
        if (!Has(option))
            return true;
        into = ParseTimeOfDay(parser.value(Name(option)));
        if (!into)
            problem = QStringLiteral("--%1 takes a time hh:mm:ss, not %2").arg(Name(option), Quoted(parser.value(Name(option))));
        return into.has_value();
    };
    std::optional<Seconds> dayStart;
    if (!time("start", m_start) || !time("end", m_end) || !time("for", m_length) || !time("day-start", dayStart))
        return false;
    if (m_length && m_length->count() == 0) {
        problem = QStringLiteral("--for takes a length of at least one second");
        return false;
    }
    if (dayStart)
        m_changes.push_back([v = *dayStart](ClsSchedule &s) { s.setTimeDayStart(v); });
    if (Has("enabled") || Has("disabled"))
        m_changes.push_back([on = Has("enabled")](ClsSchedule &s) { s.setValid(on); });

    if (Has("format")) {
        const QString format = parser.value(QStringLiteral("format"));
        const FormatType type = format == QLatin1String("mp3")            ? FormatType::MP3
                                : format == QLatin1String("windowsmedia") ? FormatType::windowsmedia
                                                                          : FormatType::wave;
        if (type == FormatType::wave && format != QLatin1String("wave")) {
            problem = QStringLiteral("--format takes wave, mp3 or windowsmedia, not %1").arg(Quoted(format));
            return false;
        }
        m_changes.push_back([type](ClsSchedule &s) { s.setRecordingFormat(type); });
    }
    if (Has("folder"))
        m_folder = Absolute(parser.value(QStringLiteral("folder")));
    if (Has("template")) {
        const QString text = parser.value(QStringLiteral("template"));
        if (!ScheduleChecks::IsValidFileNameTemplate(text)) {
            problem = ScheduleChecks::FileNameTemplateMessage();
            return false;
        }
        m_changes.push_back([text](ClsSchedule &s) { s.setFileName(text); });
    }
    if (Has("wme-session"))
        m_changes.push_back([path = Absolute(parser.value(QStringLiteral("wme-session")))](ClsSchedule &s) {
            s.setWMEFilePath(path);
        });
    if (Has("device")) {
        const QString text = parser.value(QStringLiteral("device"));
        const std::optional<qint32> id = WholeNumber(text, 0, 1000);
        if (text != QLatin1String("system") && !id) {
            problem = QStringLiteral("--device takes a DeviceID (tolvane-cli devices lists them) or system, not %1").arg(Quoted(text));
            return false;
        }
        if (Has("source")) {
            problem = QStringLiteral("--device and --source each choose the sound source; give one");
            return false;
        }
        // A device chosen here is recorded, not a server's source or stream chosen before.
        m_changes.push_back([id](ClsSchedule &s) {
            s.setUseSystemSourceDevice(!id);
            if (id)
                s.setDeviceID(*id);
            s.setServerSource(QString());
            s.setStreamURL(QString());
        });
    }
    if (Has("source")) {
        const QString name = parser.value(QStringLiteral("source")).trimmed();
        if (name.isEmpty()) {
            problem = QStringLiteral("--source takes the name of a source of the sound server (tolvane-cli devices lists them)");
            return false;
        }
        m_changes.push_back([name](ClsSchedule &s) {
            s.setUseSystemSourceDevice(false);
            s.setServerSource(name);
            s.setSourceLineIndex(-1);
            s.setStreamURL(QString());
        });
    }
    if (Has("url")) {
        const QString url = parser.value(QStringLiteral("url")).trimmed();
        if (!url.isEmpty() && !ClsSchedule::IsStreamURL(url)) {
            problem = QStringLiteral("--url takes an http or https address of a stream, not %1").arg(Quoted(url));
            return false;
        }
        if (!url.isEmpty() && (Has("device") || Has("source"))) {
            problem = QStringLiteral("--url records the stream in place of any device; give --device or --source without it");
            return false;
        }
        m_changes.push_back([url](ClsSchedule &s) { s.setStreamURL(url); });
    }
    if (Has("input")) {
        const std::optional<qint32> line = WholeNumber(parser.value(QStringLiteral("input")), -1, 1000);
        if (!line) {
            problem = QStringLiteral("--input takes a SourceLineIndex (tolvane-cli devices lists them), or -1");
            return false;
        }
        m_changes.push_back([v = *line](ClsSchedule &s) { s.setSourceLineIndex(v); });
    }
    return true;
}

bool ScheduleOptions::ReadWave(const QCommandLineParser &parser, QString &problem)
{
    if (Has("rate")) {
        const QString text = parser.value(QStringLiteral("rate"));
        std::optional<Frequency> rate;
        for (const Frequency f : {Frequency::Lo11025Hz, Frequency::Mi22050Hz, Frequency::Hi44100Hz, Frequency::Ex32000Hz,
                                  Frequency::Ex48000Hz}) {
            if (text == QString::number(SampleRateOf(f)))
                rate = f;
        }
        if (!rate) {
            problem = QStringLiteral("--rate takes 11025, 22050, 32000, 44100 or 48000, not %1").arg(Quoted(text));
            return false;
        }
        m_changes.push_back([v = *rate](ClsSchedule &s) { s.WaveSetting()->setFrequency(v); });
    }
    if (Has("bits")) {
        const QString text = parser.value(QStringLiteral("bits"));
        if (text != QLatin1String("8") && text != QLatin1String("16")) {
            problem = QStringLiteral("--bits takes 8 or 16, not %1").arg(Quoted(text));
            return false;
        }
        m_changes.push_back([v = text == QLatin1String("8") ? Bit::lo8bit : Bit::Hi16bit](ClsSchedule &s) {
            s.WaveSetting()->setBit(v);
        });
    }
    if (Has("channels")) {
        const QString text = parser.value(QStringLiteral("channels"));
        if (text != QLatin1String("mono") && text != QLatin1String("stereo")) {
            problem = QStringLiteral("--channels takes mono or stereo, not %1").arg(Quoted(text));
            return false;
        }
        m_changes.push_back([v = text == QLatin1String("mono") ? Channel::mono : Channel::Stereo](ClsSchedule &s) {
            s.WaveSetting()->setChannel(v);
        });
    }
    if (Has("trim-start") || Has("no-trim-start"))
        m_changes.push_back([on = Has("trim-start")](ClsSchedule &s) { s.WaveSetting()->setSNSValid(on); });
    if (Has("trim-end") || Has("no-trim-end"))
        m_changes.push_back([on = Has("trim-end")](ClsSchedule &s) { s.WaveSetting()->setENSValid(on); });
    if (Has("silence-level")) {
        const QString text = parser.value(QStringLiteral("silence-level"));
        if (!ScheduleChecks::NoSounddBAccepted(text)) {
            problem = ScheduleChecks::NoSounddBMessage();
            return false;
        }
        m_changes.push_back([text](ClsSchedule &s) { s.WaveSetting()->setNoSounddB(text); });
    }
    if (Has("split-silence")) {
        const std::optional<double> seconds = ScheduleChecks::SplitSeconds(parser.value(QStringLiteral("split-silence")));
        if (!seconds) {
            problem = ScheduleChecks::SplitSecondsMessage();
            return false;
        }
        m_changes.push_back([v = *seconds](ClsSchedule &s) {
            s.WaveSetting()->setSplit(true);
            s.WaveSetting()->setNoSoundSeconds(v);
        });
    }
    if (Has("no-split-silence"))
        m_changes.push_back([](ClsSchedule &s) { s.WaveSetting()->setSplit(false); });
    if (Has("split-every")) {
        const std::optional<Seconds> part = ParseTimeOfDay(parser.value(QStringLiteral("split-every")));
        if (!part || !ScheduleChecks::SplitTimeAccepted(true, *part)) {
            problem = part ? ScheduleChecks::SplitTimeMessage() : QStringLiteral("--split-every takes a length hh:mm:ss");
            return false;
        }
        m_changes.push_back([v = *part](ClsSchedule &s) {
            s.WaveSetting()->setSplitByTime(true);
            s.WaveSetting()->setSplitTime(v);
        });
    }
    if (Has("no-split-every"))
        m_changes.push_back([](ClsSchedule &s) { s.WaveSetting()->setSplitByTime(false); });
    return true;
}

bool ScheduleOptions::ReadMp3(const QCommandLineParser &parser, QString &problem)
{
    const auto choice = [&](const char *option, const QStringList &choices, qint32 &index) {
        index = static_cast<qint32>(choices.indexOf(parser.value(Name(option))));
        if (index < 0)
            problem = QStringLiteral("--%1 takes %2, not %3")
                          .arg(Name(option), choices.join(QStringLiteral(", ")), Quoted(parser.value(Name(option))));
        return index >= 0;
    };
    const auto rate = [&](const char *option, const QString &text, const QList<qint32> &rates) -> std::optional<qint32> {
        const std::optional<qint32> kbps = WholeNumber(text, 0, 1000);
        if (kbps && rates.contains(*kbps))
            return kbps;
        problem = QStringLiteral("--%1 takes one of %2 kbit/s, not %3").arg(Name(option), RateList(rates), Quoted(text));
        return std::nullopt;
    };
    qint32 index = 0;
    if (Has("mp3-mode")) {
        if (!choice("mp3-mode", kStereoModes, index))
            return false;
        m_changes.push_back([index](ClsSchedule &s) { s.MP3()->setMP3Stereo(index); });
    }
    if (Has("mp3-file")) {
        if (!choice("mp3-file", kMp3Files, index))
            return false;
        m_changes.push_back([index](ClsSchedule &s) { s.MP3()->setMP3FileFormat(index); });
    }
    if (Has("bitrate")) {
        const auto kbps = rate("bitrate", parser.value(QStringLiteral("bitrate")), kMpeg1Rates);
        if (!kbps)
            return false;
        m_changes.push_back([v = *kbps](ClsSchedule &s) { s.MP3()->setMP3CBRMPEG1BitRate(v); });
    }
    if (Has("bitrate-low")) {
        const auto kbps = rate("bitrate-low", parser.value(QStringLiteral("bitrate-low")), kMpeg2Rates);
        if (!kbps)
            return false;
        m_changes.push_back([v = *kbps](ClsSchedule &s) { s.MP3()->setMP3CBRMPEG2BitRate(v); });
    }
    if (Has("vbr")) {
        const std::optional<qint32> quality = WholeNumber(parser.value(QStringLiteral("vbr")), 0, 9);
        if (!quality) {
            problem = QStringLiteral("--vbr takes a quality from 0 to 9");
            return false;
        }
        m_changes.push_back([v = *quality](ClsSchedule &s) {
            s.MP3()->setMP3VBR(true);
            s.MP3()->setMP3VBRQuality(v);
        });
    }
    if (Has("cbr"))
        m_changes.push_back([](ClsSchedule &s) { s.MP3()->setMP3VBR(false); });
    if (Has("vbr-range")) {
        const QStringList bounds = parser.value(QStringLiteral("vbr-range")).split(QLatin1Char('-'));
        std::optional<qint32> low, high;
        if (bounds.size() == 2 && (low = rate("vbr-range", bounds[0], kMpeg1Rates)) &&
            (high = rate("vbr-range", bounds[1], kMpeg1Rates))) {
            m_changes.push_back([low, high](ClsSchedule &s) {
                s.MP3()->setMP3LimitVBRBitRate(true);
                s.MP3()->setMP3VBRMinBitRate(*low);
                s.MP3()->setMP3VBRMaxBitRate(*high);
            });
        } else {
            if (bounds.size() != 2)
                problem = QStringLiteral("--vbr-range takes two bit rates MIN-MAX, such as 64-192");
            return false;
        }
    }
    if (Has("no-vbr-range"))
        m_changes.push_back([](ClsSchedule &s) { s.MP3()->setMP3LimitVBRBitRate(false); });
    if (Has("realtime") || Has("no-realtime"))
        m_changes.push_back([on = Has("realtime")](ClsSchedule &s) { s.MP3()->setMP3RealTime(on); });
    if (Has("delete-wave") || Has("no-delete-wave"))
        m_changes.push_back([on = Has("delete-wave")](ClsSchedule &s) { s.MP3()->setMP3DeleteWavFile(on); });
    if (Has("id3") || Has("no-id3"))
        m_changes.push_back([on = Has("id3")](ClsSchedule &s) { s.MP3()->setMakeID3Tag(on); });

    std::optional<qint32> genre;
    if (Has("genre") && !(genre = WholeNumber(parser.value(QStringLiteral("genre")), 0, 255))) {
        problem = QStringLiteral("--genre takes a genre number from 0 to 255");
        return false;
    }
    const QStringList texts = {"title", "artist", "album", "year", "comment"};
    if (genre || std::any_of(texts.begin(), texts.end(), [&](const QString &t) { return parser.isSet(t); })) {
        const auto given = [&](const char *option) {
            return Has(option) ? std::optional<QString>(parser.value(Name(option))) : std::nullopt;
        };
        m_changes.push_back([genre, title = given("title"), artist = given("artist"), album = given("album"),
                             year = given("year"), comment = given("comment")](ClsSchedule &s) {
            ID3Tag tag = s.MP3()->ID3Tag();
            tag.Title = title.value_or(tag.Title);
            tag.Artist = artist.value_or(tag.Artist);
            tag.Album = album.value_or(tag.Album);
            tag.Year = year.value_or(tag.Year);
            tag.Comment = comment.value_or(tag.Comment);
            if (genre)
                tag.GenreNo = static_cast<quint8>(*genre);
            s.MP3()->setID3Tag(tag);
        });
    }
    return true;
}

bool ScheduleOptions::ReadAround(const QCommandLineParser &parser, QString &problem)
{
    if (Has("before"))
        m_beforeProgram = Absolute(parser.value(QStringLiteral("before")));
    if (Has("after"))
        m_afterProgram = Absolute(parser.value(QStringLiteral("after")));
    if (Has("no-before"))
        m_changes.push_back([](ClsSchedule &s) { s.setBeforeExecute(false); });
    if (Has("no-after"))
        m_changes.push_back([](ClsSchedule &s) { s.setAfterExecute(false); });
    if (Has("before-seconds")) {
        const std::optional<qint32> seconds = ScheduleChecks::BeforeExecuteSeconds(parser.value(QStringLiteral("before-seconds")));
        if (!seconds) {
            problem = ScheduleChecks::BeforeExecuteSecondsMessage();
            return false;
        }
        m_changes.push_back([v = *seconds](ClsSchedule &s) { s.setBeforeExecuteSeconds(v); });
    }
    if (Has("when-done")) {
        qint32 action = static_cast<qint32>(kWhenDone.indexOf(parser.value(QStringLiteral("when-done"))));
        if (action < 0) {
            problem = QStringLiteral("--when-done takes %1, not %2")
                          .arg(kWhenDone.join(QStringLiteral(", ")), Quoted(parser.value(QStringLiteral("when-done"))));
            return false;
        }
        // As the editor combines its three boxes: powering off ends the program too, and a
        // hibernating machine is not powered off.
        const QString chosen = kWhenDone.at(action);
        m_changes.push_back([chosen](ClsSchedule &s) {
            s.setHibernate(chosen.startsWith(QLatin1String("hibernate")));
            s.setExitWindows(chosen == QLatin1String("power-off"));
            s.setExitTV(chosen == QLatin1String("quit") || chosen == QLatin1String("power-off") ||
                        chosen == QLatin1String("hibernate-quit"));
        });
    }
    return true;
}

bool ScheduleOptions::Apply(ClsSchedule &s, QString &problem) const
{
    for (const auto &path : {m_beforeProgram, m_afterProgram}) {
        if (path && !QFileInfo(*path).isFile()) {
            problem = QStringLiteral("there is no program %1").arg(*path);
            return false;
        }
    }
    for (const Change &change : m_changes)
        change(s);
    if (m_folder)
        s.setSavePath(*m_folder);
    if (m_beforeProgram) {
        s.setBeforeExecute(true);
        s.setBeforeExecutePath(*m_beforeProgram);
    }
    if (m_afterProgram) {
        s.setAfterExecute(true);
        s.setAfterExecutePath(*m_afterProgram);
    }
    if (m_start)
        s.setStartTime(FormatTimeOfDay(*m_start));
    if (m_end) {
        s.setEndTime(FormatTimeOfDay(*m_end));
    } else if (m_length) {
        const Seconds start = ParseTimeOfDay(s.StartTime()).value_or(Seconds(0));
        s.setEndTime(FormatTimeOfDay(WrapDay(start + *m_length)));
    }
    return true;
}

bool ScheduleOptions::MakeFolder(QString &problem) const
{
    // One level, as the schedule's own folder check would make it.
    if (!m_folder || m_folder->isEmpty() || QFileInfo(*m_folder).isDir() || QDir().mkdir(*m_folder))
        return true;
    problem = QStringLiteral("the folder %1 is not there and cannot be made").arg(*m_folder);
    return false;
}

}  // namespace tolvane::cli
