#include "clsDOM.h"

#include "common/FileError.h"
#include "common/NumberedError.h"
#include "core/controller/ClsController.h"
#include "core/persistence/AtomicFile.h"
#include "core/persistence/StoredValue.h"
#include "core/schedule/Occurrences.h"

#include <QFile>

#include <algorithm>
#include <array>
#include <map>
#include <optional>
#include <unordered_map>
#include <utility>

namespace tolvane {

namespace {

const QString kSource = QStringLiteral("clsDOM");
// The layout of the tree, not the program's version: readers of every version write this.
const QString kFileVersion = QStringLiteral("0.6.2.0");
const QString kCaptureNoSoundVolume = QStringLiteral("CaptureNoSoundVolume");

const std::array<QString, 7> kDayNames = {
    QStringLiteral("Sunday"),   QStringLiteral("Monday"), QStringLiteral("Tuesday"),  QStringLiteral("Wednesday"),
    QStringLiteral("Thursday"), QStringLiteral("Friday"), QStringLiteral("Saturday"),
};

// What a value reads as when its element is missing or empty. An empty text fails every
// conversion to a number or a Boolean, which is how a required value fails the load.
QString DefaultValue(const QString &name)
{
    static const QStringList zero = {"SelectEndTimeSetter", "SelectEndTimeChecker", "SetTime",  "BeforeExecuteSeconds",
                                     "NoSoundVolume",       "NoSoundPercent",       "GenreNo",  "VBRQuality"};
    static const QStringList no = {"MakeLog", "RealTime",    "ExitWindows", "ExitTV",           "Hibernate", "AfterExecute",
                                   "BeforeExecute", "Split", "SplitByTime", "MonitorBeforeRec", "MakeID3Tag"};
    if (zero.contains(name))
        return QStringLiteral("0");
    if (name == QLatin1String("NoSoundSeconds"))
        return QStringLiteral("4");
    if (no.contains(name))
        return QStringLiteral("False");
    if (name == QLatin1String("SetTimeTime") || name == QLatin1String("TimeDayStart"))
        return QStringLiteral("00:00:00");
    if (name == QLatin1String("SplitTime"))
        return QStringLiteral("00:30:00");
    return {};
}

// Typed reads of the value children of one element; a failed conversion names the element.
// Each child is found by name once, as a schedule has some fifty of them.
class Values {
public:
    explicit Values(const QDomNode &node)
    {
        for (QDomElement e = node.firstChildElement(); !e.isNull(); e = e.nextSiblingElement())
            m_children.try_emplace(e.tagName(), e);
    }

    // The text of the first child element `name`; empty when it is missing or has none.
    QString Value(const QString &name) const { return Child(name).firstChild().nodeValue(); }
    // The value, or the default for that name when there is none.
    QString Text(const QString &name) const
    {
        const QString value = Value(name);
        return value.isEmpty() ? DefaultValue(name) : value;
    }
    bool Bool(const QString &name) const { return StoredValue::ToBool(Text(name), name); }
    qint32 Int32(const QString &name) const { return StoredValue::ToInt32(Text(name), name); }
    quint8 Byte(const QString &name) const { return StoredValue::ToByte(Text(name), name); }
    double Double(const QString &name) const { return StoredValue::ToDouble(Text(name), name); }
    Seconds Time(const QString &name) const { return StoredValue::ToTimeOfDay(Text(name), name); }

    bool Has(const QString &name) const { return m_children.count(name) != 0; }
    QDomElement Child(const QString &name) const
    {
        const auto found = m_children.find(name);
        return found == m_children.end() ? QDomElement() : found->second;
    }
    // A container the reading cannot go on without.
    QDomElement Required(const QString &name) const
    {
        QDomElement e = Child(name);
        if (e.isNull())
            throw NumberedError(ErrNo::ObjectNotSet, QStringLiteral("element %1 is missing").arg(name), kSource);
        return e;
    }

private:
    std::unordered_map<QString, QDomElement> m_children;
};

// Runs f; an error it raises gets `where` in front of its description, keeping its number.
template <typename F>
auto InContext(const QString &where, F &&f)
{
    try {
        return f();
    } catch (const NumberedError &e) {
        throw NumberedError(e.Number(), where + QStringLiteral(": ") + e.Description(), e.Source());
    }
}

// Characters XML 1.0 cannot hold (most control characters, U+FFFE, U+FFFF and unpaired
// surrogates) would make the whole file unreadable, so they are left out.
QString XmlCharacters(const QString &value)
{
    QString out;
    out.reserve(value.size());
    const qsizetype n = value.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = value.at(i).unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < n && value.at(i + 1).isLowSurrogate()) {
            out += value.at(i);
            out += value.at(++i);
            continue;
        }
        const bool allowed = c >= 0x20 || c == u'\t' || c == u'\n' || c == u'\r';
        if (allowed && !QChar::isSurrogate(c) && c != 0xFFFE && c != 0xFFFF)
            out += value.at(i);
    }
    return out;
}

}  // namespace

void clsDOM::LoadXML2Object(ClsController &controller)
{
    QFile file(m_filePath);
    if (!file.open(QIODevice::ReadOnly))
        throw FileError(file, m_filePath, kSource);
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw FileError(file, m_filePath, kSource);

    InContext(m_filePath, [&] {
        QString message;
        int line = 0;
        int column = 0;
        m_document = QDomDocument();
        if (!m_document.setContent(bytes, &message, &line, &column))
            throw NumberedError(ErrNo::ObjectNotSet,
                                QStringLiteral("line %1, column %2: %3").arg(line).arg(column).arg(message), kSource);
        const QDomElement root = m_document.documentElement();
        if (root.tagName() != QLatin1String("TolvaneData"))
            throw NumberedError(ErrNo::ObjectNotSet, QStringLiteral("element TolvaneData is missing"), kSource);
        if (!root.hasAttribute(QStringLiteral("version")))
            throw NumberedError(ErrNo::ObjectNotSet, QStringLiteral("attribute version is missing"), kSource);

        const Values top(root);
        const Values options(top.Required(QStringLiteral("Options")));
        controller.setDefaultSavePath(options.Text(QStringLiteral("DefaultSavePath")));
        controller.setBufferLength(options.Int32(QStringLiteral("BufferLength")));
        controller.setDefaultSchedule(controller.NewSchedule());

        // Files of old versions kept the silence level as an option; it wins over the default
        // schedule's own level. One that does not read is ignored, as a missing one is.
        std::optional<qint32> oldSilenceLevel;
        if (!options.Value(QStringLiteral("NoSoundVolume")).isEmpty()) {
            try {
                ClsWave &wave = *controller.DefaultSchedule()->WaveSetting();
                wave.setNoSoundPercent(options.Int32(QStringLiteral("NoSoundVolume")));
                oldSilenceLevel = wave.NoSoundPercent();
            } catch (const NumberedError &) {
            }
        }

        controller.gSelectEndTimeChecker =
            static_cast<EndTimeChecker>(options.Int32(QStringLiteral("SelectEndTimeChecker")));
        controller.gSelectEndTimeSetter =
            static_cast<EndTimeSetter>(options.Int32(QStringLiteral("SelectEndTimeSetter")));
        controller.gMakeLog = options.Bool(QStringLiteral("MakeLog"));
        controller.gSetTime = options.Bool(QStringLiteral("SetTime"));
        controller.setMonitorBeforeRec(options.Bool(QStringLiteral("MonitorBeforeRec")));
        controller.gSetTimeOnAppStart =
            options.Has(QStringLiteral("SetTimeOnAppStart")) && options.Bool(QStringLiteral("SetTimeOnAppStart"));
        controller.gSetTimeOnPresetTime =
            options.Has(QStringLiteral("SetTimeOnPresetTime")) && options.Bool(QStringLiteral("SetTimeOnPresetTime"));
        controller.gSetTimeTime = options.Text(QStringLiteral("SetTimeTime"));
        controller.gSetTimeServer = options.Text(QStringLiteral("SetTimeServer"));
        // The unattended-recording options came later: an older file simply lacks them.
        controller.gWakeFromSuspend =
            options.Has(QStringLiteral("WakeFromSuspend")) && options.Bool(QStringLiteral("WakeFromSuspend"));
        if (options.Has(QStringLiteral("WakeLeadSeconds")))
            controller.gWakeLeadSeconds = options.Int32(QStringLiteral("WakeLeadSeconds"));
        controller.gStartMissedRecordings = options.Has(QStringLiteral("StartMissedRecordings")) &&
                                            options.Bool(QStringLiteral("StartMissedRecordings"));
        // The controller's own silence level came only from "schedule.txt"; "NoSoundVolume" is
        // taken, as every reader gives it to the default schedule.
        if (options.Has(kCaptureNoSoundVolume))
            controller.setNoSoundVolume(options.Double(kCaptureNoSoundVolume));

        const QDomElement defaultNode = options.Required(QStringLiteral("DefaultSchedule"));
        m_baseSchedule.reset();
        const auto defaultSchedule =
            InContext(QStringLiteral("DefaultSchedule"), [&] { return ReadSchedule(controller, defaultNode); });
        controller.DefaultSchedule()->CopyFrom(*defaultSchedule);
        if (oldSilenceLevel)
            controller.DefaultSchedule()->WaveSetting()->setNoSoundPercent(*oldSilenceLevel);
        m_baseSchedule = controller.DefaultSchedule();

        // Every element is a schedule, whatever its name; comments and the like that an editor
        // leaves between them are not.
        const QDomElement schedules = top.Required(QStringLiteral("Schedules"));
        int position = 0;
        for (QDomElement node = schedules.firstChildElement(); !node.isNull(); node = node.nextSiblingElement()) {
            ++position;
            auto schedule = InContext(QStringLiteral("Schedules, item %1").arg(position),
                                      [&] { return ReadSchedule(controller, node); });
            controller.ScheduleList().Add(std::move(schedule), controller.NewScheduleKey());
        }
    });
}

// The setters have side effects (the save folder is checked and created), so the order of
// assignment is part of the behaviour.
std::shared_ptr<ClsSchedule> clsDOM::ReadSchedule(ClsController &controller, const QDomNode &node)
{
    auto schedule = controller.NewSchedule();
    ClsSchedule &s = *schedule;
    if (m_baseSchedule)
        s.CopyFrom(*m_baseSchedule);
    const Values v(node);

    s.setName(v.Text(QStringLiteral("ScheduleName")));
    const Values days(v.Required(QStringLiteral("DaySetting")));
    for (qint32 day = 0; day < 7; ++day)
        s.setStartDay(day, days.Int32(kDayNames[static_cast<size_t>(day)]));

    s.setStartTime(v.Text(QStringLiteral("StartTime")));
    s.setEndTime(v.Text(QStringLiteral("EndTime")));
    s.setValid(v.Bool(QStringLiteral("Valid")));
    s.setExitTV(v.Bool(QStringLiteral("ExitTV")));
    s.setExitWindows(v.Bool(QStringLiteral("ExitWindows")));
    s.setHibernate(v.Bool(QStringLiteral("Hibernate")));
    s.setAfterExecute(v.Bool(QStringLiteral("AfterExecute")));
    s.setAfterExecutePath(v.Text(QStringLiteral("AfterExecutePath")));
    s.setBeforeExecute(v.Bool(QStringLiteral("BeforeExecute")));
    s.setBeforeExecutePath(v.Text(QStringLiteral("BeforeExecutePath")));
    s.setBeforeExecuteSeconds(v.Int32(QStringLiteral("BeforeExecuteSeconds")));
    v.Required(QStringLiteral("SavePath"));  // the element must be there; its text may be empty
    s.setSavePath(v.Text(QStringLiteral("SavePath")));
    s.setFileName(v.Text(QStringLiteral("FileName")));
    s.setTimeDayStart(v.Time(QStringLiteral("TimeDayStart")));

    const QDomElement waveNode = v.Child(QStringLiteral("WaveSetting"));
    if (waveNode.isNull()) {
        s.setRecordingFormat(FormatType::windowsmedia);
        s.setWMEFilePath(Values(v.Child(QStringLiteral("WMSetting"))).Text(QStringLiteral("WMEFilePath")));
    } else {
        s.setRecordingFormat(FormatType::wave);
        const Values w(waveNode);
        ClsWave &wave = *s.WaveSetting();
        wave.setBit(static_cast<Bit>(w.Int32(QStringLiteral("Bit"))));
        wave.setFrequency(static_cast<Frequency>(w.Int32(QStringLiteral("Frequency"))));
        wave.setChannel(static_cast<Channel>(w.Int32(QStringLiteral("Channel"))));
        wave.setSNSValid(w.Bool(QStringLiteral("SNSValid")));
        wave.setENSValid(w.Bool(QStringLiteral("ENSValid")));
        // Files of old versions have only the linear level.
        try {
            wave.setNoSounddB(StoredValue::ToNoSounddB(w.Text(QStringLiteral("NoSounddB"))));
        } catch (const NumberedError &) {
            wave.setNoSoundPercent(w.Int32(QStringLiteral("NoSoundPercent")));
        }
        wave.setNoSoundSeconds(w.Double(QStringLiteral("NoSoundSeconds")));
        wave.setSplit(w.Bool(QStringLiteral("Split")));
        wave.setSplitByTime(w.Bool(QStringLiteral("SplitByTime")));
        wave.setSplitTime(w.Time(QStringLiteral("SplitTime")));

        const QDomElement mp3Node = w.Child(QStringLiteral("MP3Setting"));
        if (!mp3Node.isNull()) {
            s.setRecordingFormat(FormatType::MP3);
            const Values m(mp3Node);
            ClsMP3 &mp3 = *s.MP3();
            mp3.setMP3RealTime(m.Bool(QStringLiteral("RealTime")));
            mp3.setMP3CBRMPEG1BitRate(m.Int32(QStringLiteral("CBRMPEG1BitRate")));
            mp3.setMP3CBRMPEG2BitRate(m.Int32(QStringLiteral("CBRMPEG2BitRate")));
            mp3.setMP3Stereo(m.Int32(QStringLiteral("Stereo")));
            mp3.setMP3FileFormat(m.Int32(QStringLiteral("FileFormat")));
            mp3.setMP3DeleteWavFile(m.Bool(QStringLiteral("DeleteWavFile")));
            mp3.setMP3VBR(m.Bool(QStringLiteral("VBR")));
            mp3.setMP3VBRQuality(m.Int32(QStringLiteral("VBRQuality")));
            mp3.setMP3NotUsePsy(m.Bool(QStringLiteral("NotUsePsy")));
            mp3.setMP3NotUseLPF(m.Bool(QStringLiteral("NotUseLPF")));
            mp3.setMP3NotUseEnhancedCPU(m.Bool(QStringLiteral("NotUseEnhancedCPU")));
            mp3.setMP3NotUseMMX(m.Bool(QStringLiteral("NotUseMMX")));
            mp3.setMP3NotUse3DNow(m.Bool(QStringLiteral("NotUse3DNow")));
            mp3.setMP3NotUseSSE(m.Bool(QStringLiteral("NotUseSSE")));
            mp3.setMP3NotUseEnhanced3DNow(m.Bool(QStringLiteral("NotUseEnhanced3DNow")));

            // The five set-flags are stored only as the presence of the values they guard, so an
            // absent group means the flag is off; its values stay those of the base schedule.
            const bool limitVBR = m.Has(QStringLiteral("VBRMaxBitRate"));
            mp3.setMP3LimitVBRBitRate(limitVBR);
            if (limitVBR) {
                mp3.setMP3VBRMaxBitRate(m.Int32(QStringLiteral("VBRMaxBitRate")));
                mp3.setMP3VBRMinBitRate(m.Int32(QStringLiteral("VBRMinBitRate")));
            }
            const bool customLPF = m.Has(QStringLiteral("LPFA"));
            mp3.setMP3CustomizeLPF(customLPF);
            if (customLPF) {
                mp3.setMP3LPFA(m.Int32(QStringLiteral("LPFA")));
                mp3.setMP3LPFB(m.Int32(QStringLiteral("LPFB")));
            }
            const bool setCPU = m.Has(QStringLiteral("nCPU"));
            mp3.setMP3SetnCPU(setCPU);
            if (setCPU)
                mp3.setMP3nCPU(m.Int32(QStringLiteral("nCPU")));
            const bool setPriority = m.Has(QStringLiteral("Priority"));
            mp3.setMP3SetPriority(setPriority ? -1 : 0);
            if (setPriority)
                mp3.setMP3Priority(m.Int32(QStringLiteral("Priority")));
            const bool setFrequencies = m.Has(QStringLiteral("InFreq"));
            mp3.setMP3SetIOFreq(setFrequencies);
            if (setFrequencies) {
                mp3.setMP3InFreq(m.Int32(QStringLiteral("InFreq")));
                mp3.setMP3OutFreq(m.Int32(QStringLiteral("OutFreq")));
            }

            mp3.setMakeID3Tag(m.Bool(QStringLiteral("MakeID3Tag")));
            ID3Tag tag;
            tag.Album = m.Text(QStringLiteral("Album"));
            tag.Artist = m.Text(QStringLiteral("Artist"));
            tag.Comment = m.Text(QStringLiteral("Comment"));
            tag.GenreNo = m.Byte(QStringLiteral("GenreNo"));
            tag.Title = m.Text(QStringLiteral("Title"));
            tag.Year = m.Text(QStringLiteral("Year"));
            mp3.setID3Tag(tag);
        }
    }

    const QDomElement device = v.Child(QStringLiteral("SourceDeviceOption"));
    s.setUseSystemSourceDevice(device.isNull());
    if (!device.isNull()) {
        const Values d(device);
        s.setDeviceID(d.Int32(QStringLiteral("DeviceID")));
        s.setSourceLineIndex(d.Int32(QStringLiteral("SourceLineIndex")));
        // Written only when set: a device of its own means no server source, whatever the
        // default schedule's (older files never have one).
        s.setServerSource(d.Value(QStringLiteral("ServerSource")));
    }
    // The same for a stream: a schedule without one records no stream.
    s.setStreamURL(v.Value(QStringLiteral("StreamURL")));

    // A one-shot postponement stays in the file until the recording it moves has started;
    // after that moment it is spent, whether or not a recorder was running then.
    const QDomElement postponed = v.Child(QStringLiteral("Postponed"));
    if (!postponed.isNull()) {
        const Values p(postponed);
        const QDateTime until = QDateTime::fromString(p.Value(QStringLiteral("Until")), Qt::ISODate);
        if (!until.isValid() || controller.Services()->clock->Now() < until) {
            s.setStartTimeDelay(p.Time(QStringLiteral("StartTimeDelay")));
            s.setEndTimeDelay(p.Time(QStringLiteral("EndTimeDelay")));
        }
    }
    return schedule;
}

void clsDOM::SchedulesSaveAsXML(ClsController &controller)
{
    using namespace StoredValue;
    m_document = QDomDocument();
    QDomElement root = m_document.createElement(QStringLiteral("TolvaneData"));
    root.setAttribute(QStringLiteral("version"), kFileVersion);
    m_document.appendChild(root);

    QDomElement options = m_document.createElement(QStringLiteral("Options"));
    root.appendChild(options);
    const auto add = [&](const QString &name, const QString &value) {
        options.appendChild(MakeTextElement(name, value));
    };
    add(QStringLiteral("DefaultSavePath"), controller.DefaultSavePath());
    add(QStringLiteral("MonitorBeforeRec"), FromBool(controller.MonitorBeforeRec()));
    add(QStringLiteral("BufferLength"), QString::number(controller.BufferLength()));
    add(QStringLiteral("SelectEndTimeChecker"), QString::number(static_cast<qint32>(controller.gSelectEndTimeChecker)));
    add(QStringLiteral("SelectEndTimeSetter"), QString::number(static_cast<qint32>(controller.gSelectEndTimeSetter)));
    add(QStringLiteral("MakeLog"), FromBool(controller.gMakeLog));
    add(QStringLiteral("SetTime"), FromBool(controller.gSetTime));
    add(QStringLiteral("SetTimeOnAppStart"), FromBool(controller.gSetTimeOnAppStart));
    add(QStringLiteral("SetTimeOnPresetTime"), FromBool(controller.gSetTimeOnPresetTime));
    add(QStringLiteral("SetTimeTime"), controller.gSetTimeTime);
    add(QStringLiteral("SetTimeServer"), controller.gSetTimeServer);
    add(QStringLiteral("WakeFromSuspend"), FromBool(controller.gWakeFromSuspend));
    add(QStringLiteral("WakeLeadSeconds"), QString::number(controller.gWakeLeadSeconds));
    add(QStringLiteral("StartMissedRecordings"), FromBool(controller.gStartMissedRecordings));
    add(kCaptureNoSoundVolume, FromDouble(controller.NoSoundVolume()));
    options.appendChild(WriteSchedule(*controller.DefaultSchedule(), QStringLiteral("DefaultSchedule")));

    // A postponement ends when the recording it moves starts: the next occurrence of its schedule.
    std::map<const ClsSchedule *, QDateTime> nextStart;
    const ColSchedule &list = controller.ScheduleList();
    if (std::any_of(list.begin(), list.end(), [](const auto &entry) {
            return entry.schedule->StartTimeDelay() != Seconds(0) || entry.schedule->EndTimeDelay() != Seconds(0);
        })) {
        const QDateTime now = controller.Services()->clock->Now();
        for (const Occurrence &o : OccurrencesBetween(list, now, now.addDays(8)))
            nextStart.try_emplace(o.schedule.get(), o.start);
    }
    QDomElement schedules = m_document.createElement(QStringLiteral("Schedules"));
    for (const auto &entry : controller.ScheduleList()) {
        QDomElement element = WriteSchedule(*entry.schedule, QStringLiteral("Schedule"));
        const auto next = nextStart.find(entry.schedule.get());
        AppendPostponement(element, *entry.schedule, next == nextStart.end() ? QDateTime() : next->second);
        schedules.appendChild(element);
    }
    root.appendChild(schedules);

    WriteFileAtomically(m_filePath, m_document.toByteArray(-1), kSource);
}

QDomElement clsDOM::MakeTextElement(const QString &name, const QString &value)
{
    QDomElement element = m_document.createElement(name);
    const QString text = XmlCharacters(value);
    // Parsers drop a text that is only white space; a CDATA section keeps it.
    if (!text.isEmpty() && text.trimmed().isEmpty())
        element.appendChild(m_document.createCDATASection(text));
    else
        element.appendChild(m_document.createTextNode(text));
    return element;
}

void clsDOM::AppendPostponement(QDomElement &element, const ClsSchedule &s, const QDateTime &until)
{
    using namespace StoredValue;
    if (s.StartTimeDelay() == Seconds(0) && s.EndTimeDelay() == Seconds(0))
        return;
    QDomElement postponed = m_document.createElement(QStringLiteral("Postponed"));
    postponed.appendChild(MakeTextElement(QStringLiteral("StartTimeDelay"), FromTimeOfDay(s.StartTimeDelay())));
    postponed.appendChild(MakeTextElement(QStringLiteral("EndTimeDelay"), FromTimeOfDay(s.EndTimeDelay())));
    if (until.isValid())
        postponed.appendChild(MakeTextElement(QStringLiteral("Until"), until.toString(Qt::ISODate)));
    element.appendChild(postponed);
}

QDomElement clsDOM::WriteSchedule(const ClsSchedule &s, const QString &name)
{
    using namespace StoredValue;
    QDomElement element = m_document.createElement(name);
    const auto add = [this](QDomElement &parent, const QString &child, const QString &value) {
        parent.appendChild(MakeTextElement(child, value));
    };
    const auto number = [](qint64 v) { return QString::number(v); };

    add(element, QStringLiteral("ScheduleName"), s.Name());
    add(element, QStringLiteral("EndTime"), s.EndTime());
    add(element, QStringLiteral("FileName"), s.FileName());
    add(element, QStringLiteral("TimeDayStart"), FromTimeOfDay(s.TimeDayStart()));
    add(element, QStringLiteral("StartTime"), s.StartTime());
    add(element, QStringLiteral("Valid"), FromBool(s.Valid()));
    add(element, QStringLiteral("SavePath"), s.SavePath());
    add(element, QStringLiteral("ExitTV"), FromBool(s.ExitTV()));
    add(element, QStringLiteral("ExitWindows"), FromBool(s.ExitWindows()));
    add(element, QStringLiteral("Hibernate"), FromBool(s.Hibernate()));
    add(element, QStringLiteral("AfterExecute"), FromBool(s.AfterExecute()));
    add(element, QStringLiteral("AfterExecutePath"), s.AfterExecutePath());
    add(element, QStringLiteral("BeforeExecute"), FromBool(s.BeforeExecute()));
    add(element, QStringLiteral("BeforeExecutePath"), s.BeforeExecutePath());
    add(element, QStringLiteral("BeforeExecuteSeconds"), number(s.BeforeExecuteSeconds()));

    QDomElement days = m_document.createElement(QStringLiteral("DaySetting"));
    for (qint32 day = 0; day < 7; ++day)
        add(days, kDayNames[static_cast<size_t>(day)], number(s.StartDay(day)));
    element.appendChild(days);

    if (!s.UseSystemSourceDevice()) {
        QDomElement device = m_document.createElement(QStringLiteral("SourceDeviceOption"));
        add(device, QStringLiteral("DeviceID"), number(s.DeviceID()));
        add(device, QStringLiteral("SourceLineIndex"), number(s.SourceLineIndex()));
        if (!s.ServerSource().isEmpty())
            add(device, QStringLiteral("ServerSource"), s.ServerSource());
        element.appendChild(device);
    }
    if (!s.StreamURL().isEmpty())
        add(element, QStringLiteral("StreamURL"), s.StreamURL());

    if (s.RecordingFormat() == FormatType::windowsmedia) {
        QDomElement wm = m_document.createElement(QStringLiteral("WMSetting"));
        add(wm, QStringLiteral("WMEFilePath"), s.WMEFilePath());
        element.appendChild(wm);
        return element;
    }

    const ClsWave &wave = *s.WaveSetting();
    QDomElement w = m_document.createElement(QStringLiteral("WaveSetting"));
    add(w, QStringLiteral("Bit"), number(static_cast<qint32>(wave.Bit())));
    add(w, QStringLiteral("Channel"), number(static_cast<qint32>(wave.Channel())));
    add(w, QStringLiteral("SNSValid"), FromBool(wave.SNSValid()));
    add(w, QStringLiteral("ENSValid"), FromBool(wave.ENSValid()));
    add(w, QStringLiteral("Frequency"), number(static_cast<qint32>(wave.Frequency())));
    add(w, QStringLiteral("NoSounddB"), FromNoSounddB(wave.NoSounddB()));
    add(w, QStringLiteral("NoSoundSeconds"), FromDouble(wave.NoSoundSeconds()));
    add(w, QStringLiteral("Split"), FromBool(wave.Split()));
    add(w, QStringLiteral("SplitByTime"), FromBool(wave.SplitByTime()));
    add(w, QStringLiteral("SplitTime"), FromTimeOfDay(wave.SplitTime()));

    if (s.RecordingFormat() == FormatType::MP3) {
        const ClsMP3 &mp3 = *s.MP3();
        QDomElement m = m_document.createElement(QStringLiteral("MP3Setting"));
        add(m, QStringLiteral("CBRMPEG1BitRate"), number(mp3.MP3CBRMPEG1BitRate()));
        add(m, QStringLiteral("CBRMPEG2BitRate"), number(mp3.MP3CBRMPEG2BitRate()));
        add(m, QStringLiteral("RealTime"), FromBool(mp3.MP3RealTime()));
        add(m, QStringLiteral("DeleteWavFile"), FromBool(mp3.MP3DeleteWavFile()));
        add(m, QStringLiteral("FileFormat"), number(mp3.MP3FileFormat()));
        if (mp3.MP3SetIOFreq()) {
            add(m, QStringLiteral("InFreq"), number(mp3.MP3InFreq()));
            add(m, QStringLiteral("OutFreq"), number(mp3.MP3OutFreq()));
        }
        if (mp3.MP3CustomizeLPF()) {
            add(m, QStringLiteral("LPFA"), number(mp3.MP3LPFA()));
            add(m, QStringLiteral("LPFB"), number(mp3.MP3LPFB()));
        }
        if (mp3.MP3SetnCPU())
            add(m, QStringLiteral("nCPU"), number(mp3.MP3nCPU()));
        add(m, QStringLiteral("NotUse3DNow"), FromBool(mp3.MP3NotUse3DNow()));
        add(m, QStringLiteral("NotUseEnhanced3DNow"), FromBool(mp3.MP3NotUseEnhanced3DNow()));
        add(m, QStringLiteral("NotUseEnhancedCPU"), FromBool(mp3.MP3NotUseEnhancedCPU()));
        add(m, QStringLiteral("NotUseLPF"), FromBool(mp3.MP3NotUseLPF()));
        add(m, QStringLiteral("NotUseMMX"), FromBool(mp3.MP3NotUseMMX()));
        add(m, QStringLiteral("NotUsePsy"), FromBool(mp3.MP3NotUsePsy()));
        add(m, QStringLiteral("NotUseSSE"), FromBool(mp3.MP3NotUseSSE()));
        if (mp3.MP3SetPriority() != 0)
            add(m, QStringLiteral("Priority"), number(mp3.MP3Priority()));
        add(m, QStringLiteral("Stereo"), number(mp3.MP3Stereo()));
        add(m, QStringLiteral("VBR"), FromBool(mp3.MP3VBR()));
        add(m, QStringLiteral("VBRQuality"), number(mp3.MP3VBRQuality()));
        if (mp3.MP3LimitVBRBitRate()) {
            add(m, QStringLiteral("VBRMaxBitRate"), number(mp3.MP3VBRMaxBitRate()));
            add(m, QStringLiteral("VBRMinBitRate"), number(mp3.MP3VBRMinBitRate()));
        }
        add(m, QStringLiteral("MakeID3Tag"), FromBool(mp3.MakeID3Tag()));
        const ID3Tag tag = mp3.ID3Tag();
        add(m, QStringLiteral("Album"), tag.Album);
        add(m, QStringLiteral("Artist"), tag.Artist);
        add(m, QStringLiteral("Comment"), tag.Comment);
        add(m, QStringLiteral("GenreNo"), number(tag.GenreNo));
        add(m, QStringLiteral("Title"), tag.Title);
        add(m, QStringLiteral("Year"), tag.Year);
        w.appendChild(m);
    }
    element.appendChild(w);
    return element;
}

}  // namespace tolvane
