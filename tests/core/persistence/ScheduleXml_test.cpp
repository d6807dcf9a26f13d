// schedule.xml: what a save writes, what a load gives back, and how a damaged file fails.

#include "tests/core/persistence/ScheduleFileTest.h"

#include <QDomDocument>
#include <QFileInfo>

using namespace tolvane;
using tolvane::test::ScheduleFileTest;

namespace {

// Every property the file stores, one "name=value" line each, so that a difference shows by name.
std::string Stored(const ClsSchedule &s)
{
    const ClsWave &w = *s.WaveSetting();
    const ClsMP3 &m = *s.MP3();
    const ID3Tag tag = m.ID3Tag();
    QStringList out;
    const auto add = [&out](const char *name, const QVariant &value) {
        out << QString::fromLatin1(name) + QLatin1Char('=') + value.toString();
    };
    add("Name", s.Name());
    for (int day = 0; day < 7; ++day)
        add("StartDay", s.StartDay(day));
    add("StartTime", s.StartTime());
    add("EndTime", s.EndTime());
    add("Valid", s.Valid());
    add("SavePath", s.SavePath());
    add("FileName", s.FileName());
    add("TimeDayStart", qint64(s.TimeDayStart().count()));
    add("ExitTV", s.ExitTV());
    add("ExitWindows", s.ExitWindows());
    add("Hibernate", s.Hibernate());
    add("AfterExecute", s.AfterExecute());
    add("AfterExecutePath", s.AfterExecutePath());
    add("BeforeExecute", s.BeforeExecute());
    add("BeforeExecutePath", s.BeforeExecutePath());
    add("BeforeExecuteSeconds", s.BeforeExecuteSeconds());
    add("UseSystemSourceDevice", s.UseSystemSourceDevice());
    add("DeviceID", s.DeviceID());
    add("SourceLineIndex", s.SourceLineIndex());
    add("ServerSource", s.ServerSource());
    add("StreamURL", s.StreamURL());
    add("RecordingFormat", static_cast<int>(s.RecordingFormat()));
    add("WMEFilePath", s.WMEFilePath());
    add("Bit", static_cast<int>(w.Bit()));
    add("Channel", static_cast<int>(w.Channel()));
    add("Frequency", static_cast<int>(w.Frequency()));
    add("SNSValid", w.SNSValid());
    add("ENSValid", w.ENSValid());
    add("NoSoundDecibels", w.NoSoundDecibels());
    add("NoSoundPercent", w.NoSoundPercent());
    add("NoSoundSeconds", w.NoSoundSeconds());
    add("Split", w.Split());
    add("SplitByTime", w.SplitByTime());
    add("SplitTime", qint64(w.SplitTime().count()));
    add("MP3CBRMPEG1BitRate", m.MP3CBRMPEG1BitRate());
    add("MP3CBRMPEG2BitRate", m.MP3CBRMPEG2BitRate());
    add("MP3RealTime", m.MP3RealTime());
    add("MP3DeleteWavFile", m.MP3DeleteWavFile());
    add("MP3FileFormat", m.MP3FileFormat());
    // The values of a guarded group are stored only while its flag is on.
    add("MP3SetIOFreq", m.MP3SetIOFreq());
    if (m.MP3SetIOFreq()) {
        add("MP3InFreq", m.MP3InFreq());
        add("MP3OutFreq", m.MP3OutFreq());
    }
    add("MP3CustomizeLPF", m.MP3CustomizeLPF());
    if (m.MP3CustomizeLPF()) {
        add("MP3LPFA", m.MP3LPFA());
        add("MP3LPFB", m.MP3LPFB());
    }
    add("MP3SetnCPU", m.MP3SetnCPU());
    if (m.MP3SetnCPU())
        add("MP3nCPU", m.MP3nCPU());
    add("MP3NotUse3DNow", m.MP3NotUse3DNow());
    add("MP3NotUseEnhanced3DNow", m.MP3NotUseEnhanced3DNow());
    add("MP3NotUseEnhancedCPU", m.MP3NotUseEnhancedCPU());
    add("MP3NotUseLPF", m.MP3NotUseLPF());
    add("MP3NotUseMMX", m.MP3NotUseMMX());
    add("MP3NotUsePsy", m.MP3NotUsePsy());
    add("MP3NotUseSSE", m.MP3NotUseSSE());
    add("MP3SetPriority", m.MP3SetPriority());
    if (m.MP3SetPriority() != 0)
        add("MP3Priority", m.MP3Priority());
    add("MP3Stereo", m.MP3Stereo());
    add("MP3VBR", m.MP3VBR());
    add("MP3VBRQuality", m.MP3VBRQuality());
    add("MP3LimitVBRBitRate", m.MP3LimitVBRBitRate());
    if (m.MP3LimitVBRBitRate()) {
        add("MP3VBRMaxBitRate", m.MP3VBRMaxBitRate());
        add("MP3VBRMinBitRate", m.MP3VBRMinBitRate());
    }
    add("MakeID3Tag", m.MakeID3Tag());
    add("Tag", tag.Tag);
    add("Title", tag.Title);
    add("Artist", tag.Artist);
    add("Album", tag.Album);
    add("Year", tag.Year);
    add("Comment", tag.Comment);
    add("GenreNo", int(tag.GenreNo));
    return out.join(QLatin1Char('\n')).toStdString();
}

QStringList StoredOptions(const ClsController &c)
{
    return {c.DefaultSavePath(),
            QString::number(c.MonitorBeforeRec()),
            QString::number(c.BufferLength()),
            QString::number(static_cast<int>(c.gSelectEndTimeChecker)),
            QString::number(static_cast<int>(c.gSelectEndTimeSetter)),
            QString::number(c.gMakeLog),
            QString::number(c.gSetTime),
            QString::number(c.gSetTimeOnAppStart),
            QString::number(c.gSetTimeOnPresetTime),
            c.gSetTimeTime,
            c.gSetTimeServer,
            QString::number(c.gWakeFromSuspend),
            QString::number(c.gWakeLeadSeconds),
            QString::number(c.gStartMissedRecordings),
            QString::number(c.NoSoundVolume())};
}

// The five set-flags, each with values that differ by `seed`.
void SetGuardedGroups(ClsMP3 &m, bool on, int seed)
{
    m.setMP3SetIOFreq(on);
    m.setMP3InFreq(32000 + seed);
    m.setMP3OutFreq(22050 + seed);
    m.setMP3CustomizeLPF(on);
    m.setMP3LPFA(40 + seed);
    m.setMP3LPFB(60 + seed);
    m.setMP3SetnCPU(on);
    m.setMP3nCPU(2 + seed);
    m.setMP3SetPriority(on ? -1 : 0);
    m.setMP3Priority(1 + seed);
    m.setMP3LimitVBRBitRate(on);
    m.setMP3VBRMaxBitRate(256 + seed);
    m.setMP3VBRMinBitRate(48 + seed);
}

bool AnyGuardedFlag(const ClsMP3 &m)
{
    return m.MP3SetIOFreq() || m.MP3CustomizeLPF() || m.MP3SetnCPU() || m.MP3SetPriority() != 0 ||
           m.MP3LimitVBRBitRate();
}

QStringList ChildNames(const QDomElement &e)
{
    QStringList names;
    for (QDomElement c = e.firstChildElement(); !c.isNull(); c = c.nextSiblingElement())
        names << c.tagName();
    return names;
}

// A file written by hand: the options, the default schedule's content and the list's elements.
QByteArray HandWritten(const QString &options, const QString &defaultSchedule, const QString &schedules)
{
    return QStringLiteral("<TolvaneData version=\"0.5\"><Options>%1<DefaultSchedule>%2</DefaultSchedule></Options>"
                          "<Schedules>%3</Schedules></TolvaneData>")
        .arg(options, defaultSchedule, schedules)
        .toUtf8();
}

const QString kDays = QStringLiteral(
    "<DaySetting><Sunday>1</Sunday><Monday>0</Monday><Tuesday>1</Tuesday><Wednesday>0</Wednesday>"
    "<Thursday>0</Thursday><Friday>0</Friday><Saturday>1</Saturday></DaySetting>");
const QString kWave = QStringLiteral(
    "<WaveSetting><Bit>1</Bit><Channel>1</Channel><SNSValid>False</SNSValid><ENSValid>False</ENSValid>"
    "<Frequency>2</Frequency>%1</WaveSetting>");

// The MP3 values a load requires.
const QString kMp3Required = QStringLiteral(
    "<CBRMPEG1BitRate>160</CBRMPEG1BitRate><CBRMPEG2BitRate>80</CBRMPEG2BitRate><DeleteWavFile>false</DeleteWavFile>"
    "<FileFormat>0</FileFormat><NotUse3DNow>0</NotUse3DNow><NotUseEnhanced3DNow>0</NotUseEnhanced3DNow>"
    "<NotUseEnhancedCPU>0</NotUseEnhancedCPU><NotUseLPF>0</NotUseLPF><NotUseMMX>0</NotUseMMX><NotUsePsy>0</NotUsePsy>"
    "<NotUseSSE>0</NotUseSSE><Stereo>1</Stereo><VBR>True</VBR>");

// The smallest schedule content a load accepts, and `more` after it.
QString Content(const QString &name, const QString &more)
{
    return QStringLiteral("<ScheduleName>%1</ScheduleName><Valid>True</Valid><SavePath/>").arg(name) + kDays + more;
}

class ScheduleXmlTest : public ScheduleFileTest, public ::testing::WithParamInterface<bool> {};

}  // namespace

// Everything the file stores comes back, for the default schedule and list schedules of every
// format; a guarded MP3 group follows the schedule's own flag whatever the default's flag is.
TEST_P(ScheduleXmlTest, EveryStoredPropertySurvivesSaveAndLoad)
{
    const bool defaultFlags = GetParam();
    Write("after.sh", "#!/bin/sh\n");
    Write("before.sh", "#!/bin/sh\n");
    ASSERT_TRUE(QDir().mkpath(env.Path("recordings")));

    auto saved = Load();
    ClsController &c = *saved;
    c.setDefaultSavePath(env.Path("recordings"));
    c.setMonitorBeforeRec(true);
    c.setBufferLength(12);
    c.setNoSoundVolume(2.5);
    c.gSelectEndTimeChecker = EndTimeChecker::PCTime;
    c.gSelectEndTimeSetter = EndTimeSetter::RecTime;
    c.gMakeLog = true;
    c.gSetTime = true;
    c.gSetTimeOnAppStart = true;
    c.gSetTimeOnPresetTime = defaultFlags;
    c.gSetTimeTime = "03:00:00";
    c.gSetTimeServer = "ntp.example.org";
    c.gWakeFromSuspend = true;
    c.gWakeLeadSeconds = 300;
    c.gStartMissedRecordings = defaultFlags;

    ClsSchedule &def = *c.DefaultSchedule();
    def.setName(QStringLiteral("既定 <&> \"quoted\""));
    for (int day = 0; day < 7; ++day)
        def.setStartDay(day, day == 4 ? 2 : day % 2);
    def.setStartTime("06:30:00");
    def.setEndTime("07:15:30");
    def.setValid(false);
    def.setSavePath("");
    def.setFileName("\\N_\\Y\\M\\D");
    def.setTimeDayStart(Seconds(4 * 3600 + 30 * 60));
    def.setExitTV(true);
    def.setHibernate(true);
    def.setAfterExecute(true);
    def.setAfterExecutePath(env.Path("after.sh"));
    def.setBeforeExecute(true);
    def.setBeforeExecutePath(env.Path("before.sh"));
    def.setBeforeExecuteSeconds(45);
    def.setUseSystemSourceDevice(false);
    def.setDeviceID(3);
    def.setSourceLineIndex(2);
    def.setServerSource("alsa_input.usb-Mic.mono-fallback");
    def.setRecordingFormat(FormatType::MP3);
    ClsWave &w = *def.WaveSetting();
    w.setBit(Bit::lo8bit);
    w.setChannel(Channel::mono);
    w.setFrequency(Frequency::Ex48000Hz);
    w.setSNSValid(true);
    w.setENSValid(true);
    w.setNoSounddB(defaultFlags ? QVariant(-23.5) : QVariant(QStringLiteral("-40")));
    w.setNoSoundSeconds(2.75);
    w.setSplit(true);
    w.setSplitByTime(true);
    w.setSplitTime(Seconds(75 * 60));
    ClsMP3 &m = *def.MP3();
    m.setMP3CBRMPEG1BitRate(192);
    m.setMP3CBRMPEG2BitRate(64);
    m.setMP3RealTime(true);
    m.setMP3DeleteWavFile(true);
    m.setMP3FileFormat(1);
    m.setMP3NotUse3DNow(true);
    m.setMP3NotUseMMX(true);
    m.setMP3NotUseSSE(true);
    m.setMP3Stereo(1);
    m.setMP3VBR(true);
    m.setMP3VBRQuality(7);
    m.setMakeID3Tag(true);
    m.setID3Tag({"", "\\N 特集", "A & B", "<Album>", "\\Y", "  ", 255});
    SetGuardedGroups(m, defaultFlags, 0);

    const auto add = [&](const QString &name, auto change) {
        auto s = c.CreateNewSchedule();
        s->setName(name);
        change(*s);
        c.AddSchedule2List(s);
        return s;
    };
    add("wave", [&](ClsSchedule &s) {
        s.setRecordingFormat(FormatType::wave);
        s.WaveSetting()->setNoSounddB(QStringLiteral("-inf"));
        s.setUseSystemSourceDevice(true);
        s.setSavePath(env.Path("wave"));
    });
    add("windows media", [&](ClsSchedule &s) {
        s.setRecordingFormat(FormatType::windowsmedia);
        s.setWMEFilePath(env.Path("wme/news.wme"));
        s.setValid(true);
    });
    add("mp3, groups off", [&](ClsSchedule &s) {
        SetGuardedGroups(*s.MP3(), false, 0);
        s.setStreamURL("https://radio.example.org:8443/live.mp3?a=1&b=\"2\"");
    });
    add("mp3, groups on", [&](ClsSchedule &s) {
        SetGuardedGroups(*s.MP3(), true, 5);
        s.setServerSource("");  // a card of its own
    });
    add("mp3, groups off with own values", [&](ClsSchedule &s) { SetGuardedGroups(*s.MP3(), false, 9); });
    Save(c);

    auto loaded = Load();
    EXPECT_EQ(StoredOptions(*loaded), StoredOptions(c));
    EXPECT_EQ(Stored(*loaded->DefaultSchedule()), Stored(def));
    ASSERT_EQ(loaded->nSchedules(), 5);
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(c.ScheduleList().Item(i)->Name().toStdString());
        EXPECT_EQ(loaded->ScheduleList().KeyAt(i), QStringLiteral("ID%1").arg(i));
        EXPECT_EQ(Stored(*loaded->ScheduleList().Item(i)), Stored(*c.ScheduleList().Item(i)));
    }
    // An absent group turns its flag off; the unused values are the default schedule's.
    const ClsMP3 &own = *loaded->ScheduleList().Item(4)->MP3();
    const ClsMP3 &base = *loaded->DefaultSchedule()->MP3();
    EXPECT_FALSE(AnyGuardedFlag(own));
    EXPECT_EQ(own.MP3VBRMaxBitRate(), base.MP3VBRMaxBitRate());
    EXPECT_EQ(own.MP3LPFA(), base.MP3LPFA());
    EXPECT_EQ(own.MP3InFreq(), base.MP3InFreq());
}

INSTANTIATE_TEST_SUITE_P(DefaultFlags, ScheduleXmlTest, ::testing::Bool(),
                         [](const auto &info) { return info.param ? "DefaultFlagsOn" : "DefaultFlagsOff"; });

// A first run saved and loaded again gives the same options and default schedule, whose empty
// silence level (0 dB) stays 0 dB rather than turning into "-inf". Its silence length is a
// usable 4 seconds, not the 0 that would split at every pause.
TEST_F(ScheduleFileTest, FirstRunValuesSurviveSaveAndLoad)
{
    auto first = Load();
    EXPECT_TRUE(Files().isEmpty());
    ASSERT_FALSE(first->DefaultSchedule()->WaveSetting()->NoSounddB().isValid());
    EXPECT_EQ(first->DefaultSchedule()->WaveSetting()->NoSoundSeconds(), 4);
    Save(*first);
    auto loaded = Load();
    EXPECT_EQ(StoredOptions(*loaded), StoredOptions(*first));
    EXPECT_EQ(Stored(*loaded->DefaultSchedule()), Stored(*first->DefaultSchedule()));
    EXPECT_EQ(loaded->DefaultSchedule()->WaveSetting()->NoSoundPercent(), 1);
}

// A first run records into the user's music folder, made when it is missing: the default
// folder is that folder and new schedules save to the default folder. A stored file keeps what
// it says.
TEST_F(ScheduleFileTest, FirstRunSavesToTheMusicFolder)
{
    env.services->firstRunSaveFolder = env.Path("Music");
    auto first = Load();
    EXPECT_EQ(first->DefaultSavePath(), env.Path("Music"));
    EXPECT_TRUE(QFileInfo(env.Path("Music")).isDir());
    EXPECT_EQ(first->CreateNewSchedule()->SavePath(), QString());

    first->setDefaultSavePath(env.dir.path());
    first->DefaultSchedule()->setSavePath(env.dir.path());
    Save(*first);
    auto loaded = Load();
    EXPECT_EQ(loaded->DefaultSavePath(), env.dir.path());
    EXPECT_EQ(loaded->DefaultSchedule()->SavePath(), env.dir.path());
}

// A one-shot postponement is kept until the recording it moves starts, and is spent after that,
// whether or not anything was running then; a schedule without one writes nothing for it.
TEST_F(ScheduleFileTest, PostponementLastsUntilTheRecordingItMoves)
{
    auto c = Load();
    for (const char *name : {"Postponed", "OnTime"}) {
        auto s = c->CreateNewSchedule();
        s->setName(name);
        s->setStartTime("13:00:00");
        s->setEndTime("14:00:00");
        for (int day = 0; day < 7; ++day)
            s->setStartDay(day, 1);
        c->AddSchedule2List(s);
    }
    c->Schedule("ID0")->setStartTimeDelay(Seconds(600));
    c->Schedule("ID0")->setEndTimeDelay(Seconds(300));
    Save(*c);  // at 12:00: the next recording starts at 13:10
    EXPECT_EQ(Read("schedule.xml").count("<Postponed>"), 1);

    env.clock->Set(QDateTime(QDate(2024, 3, 4), QTime(13, 9, 59)));
    auto before = Load();
    EXPECT_EQ(before->Schedule("ID0")->StartTimeDelay(), Seconds(600));
    EXPECT_EQ(before->Schedule("ID0")->EndTimeDelay(), Seconds(300));
    EXPECT_EQ(before->Schedule("ID1")->StartTimeDelay(), Seconds(0));

    env.clock->Set(QDateTime(QDate(2024, 3, 4), QTime(13, 10, 0)));
    auto after = Load();
    EXPECT_EQ(after->Schedule("ID0")->StartTimeDelay(), Seconds(0));
    EXPECT_EQ(after->Schedule("ID0")->EndTimeDelay(), Seconds(0));
}

// The file is UTF-8 without a declaration or white space, and its elements come in the
// documented order, optional MP3 values only with their flag.
TEST_F(ScheduleFileTest, WrittenForm)
{
    auto c = Load();
    auto s = c->CreateNewSchedule();
    s->setName(QStringLiteral("朝\x01のニュース"));
    s->setRecordingFormat(FormatType::MP3);
    s->setUseSystemSourceDevice(false);
    SetGuardedGroups(*s->MP3(), true, 0);
    c->AddSchedule2List(s);
    auto spaces = c->CreateNewSchedule();
    spaces->setName("   ");
    c->AddSchedule2List(spaces);
    Save(*c);

    const QByteArray bytes = Read("schedule.xml");
    EXPECT_TRUE(bytes.startsWith("<TolvaneData version=\"0.6.2.0\"><Options><DefaultSavePath>")) << bytes.left(80).data();
    EXPECT_FALSE(bytes.contains('\n'));
    // A control character has no place in XML; the rest of the name is kept, in UTF-8.
    EXPECT_TRUE(bytes.contains(QStringLiteral("<ScheduleName>朝のニュース</ScheduleName>").toUtf8()));

    QDomDocument doc;
    ASSERT_TRUE(doc.setContent(bytes));
    const QDomElement root = doc.documentElement();
    EXPECT_EQ(ChildNames(root), (QStringList{"Options", "Schedules"}));
    EXPECT_EQ(ChildNames(root.firstChildElement("Options")),
              (QStringList{"DefaultSavePath", "MonitorBeforeRec", "BufferLength", "SelectEndTimeChecker",
                           "SelectEndTimeSetter", "MakeLog", "SetTime", "SetTimeOnAppStart", "SetTimeOnPresetTime",
                           "SetTimeTime", "SetTimeServer", "WakeFromSuspend", "WakeLeadSeconds",
                           "StartMissedRecordings", "CaptureNoSoundVolume", "DefaultSchedule"}));
    const QDomElement first = root.firstChildElement("Schedules").firstChildElement();
    EXPECT_EQ(ChildNames(first),
              (QStringList{"ScheduleName", "EndTime", "FileName", "TimeDayStart", "StartTime", "Valid", "SavePath",
                           "ExitTV", "ExitWindows", "Hibernate", "AfterExecute", "AfterExecutePath", "BeforeExecute",
                           "BeforeExecutePath", "BeforeExecuteSeconds", "DaySetting", "SourceDeviceOption",
                           "WaveSetting"}));
    const QDomElement wave = first.firstChildElement("WaveSetting");
    EXPECT_EQ(ChildNames(wave), (QStringList{"Bit", "Channel", "SNSValid", "ENSValid", "Frequency", "NoSounddB",
                                             "NoSoundSeconds", "Split", "SplitByTime", "SplitTime", "MP3Setting"}));
    EXPECT_EQ(ChildNames(wave.firstChildElement("MP3Setting")),
              (QStringList{"CBRMPEG1BitRate", "CBRMPEG2BitRate", "RealTime", "DeleteWavFile", "FileFormat", "InFreq",
                           "OutFreq", "LPFA", "LPFB", "nCPU", "NotUse3DNow", "NotUseEnhanced3DNow",
                           "NotUseEnhancedCPU", "NotUseLPF", "NotUseMMX", "NotUsePsy", "NotUseSSE", "Priority",
                           "Stereo", "VBR", "VBRQuality", "VBRMaxBitRate", "VBRMinBitRate", "MakeID3Tag", "Album",
                           "Artist", "Comment", "GenreNo", "Title", "Year"}));
    EXPECT_EQ(wave.firstChildElement("SplitTime").text(), "00:00:00");

    // A name of spaces only survives, though parsers drop white-space-only text.
    EXPECT_EQ(Load()->ScheduleList().Item(1)->Name(), "   ");
}

// Files of older versions and by other hands: the old silence levels, missing optional values,
// every Boolean form, a Windows Media schedule without wave settings, comments and white space
// between the schedules. The XML file wins over an old text file beside it.
TEST_F(ScheduleFileTest, ReadsOlderAndHandWrittenFiles)
{
    Write("schedule.txt", "not read\r\n");
    Write("schedule.xml",
          HandWritten("<BufferLength> 3 </BufferLength><NoSoundVolume>3</NoSoundVolume><MakeLog>TRUE</MakeLog>"
                      "<SetTime>-1</SetTime><MonitorBeforeRec>0</MonitorBeforeRec>",
                      Content("D", kWave.arg("<NoSounddB>-6</NoSounddB>")),
                      "<!-- morning -->\n  <Schedule>" +
                          Content("old level", kWave.arg("<NoSoundPercent>5</NoSoundPercent>")) +
                          "</Schedule>\n  <!-- weekdays --><?editor x?><Schedule>" +
                          Content("wm", "<WMSetting><WMEFilePath>/x/a.wme</WMEFilePath></WMSetting>") +
                          "</Schedule>\n  <![CDATA[ ]]><Schedule>" +
                          Content("mp3", kWave.arg("<MP3Setting>" + kMp3Required + "</MP3Setting>")) +
                          "</Schedule>"));
    auto c = Load();

    EXPECT_EQ(c->BufferLength(), 3);
    EXPECT_TRUE(c->gMakeLog);
    EXPECT_TRUE(c->gSetTime);
    EXPECT_FALSE(c->MonitorBeforeRec());
    EXPECT_FALSE(c->gSetTimeOnAppStart);
    EXPECT_FALSE(c->gSetTimeOnPresetTime);
    EXPECT_EQ(c->gSetTimeTime, "00:00:00");
    EXPECT_EQ(c->DefaultSavePath(), env.dir.path());

    // The old option wins over the default schedule's own level, and is not the controller's.
    const ClsWave &defWave = *c->DefaultSchedule()->WaveSetting();
    EXPECT_EQ(defWave.NoSoundPercent(), 3);
    EXPECT_EQ(c->NoSoundVolume(), 0);
    EXPECT_EQ(c->DefaultSchedule()->TimeDayStart(), Seconds(0));
    EXPECT_EQ(defWave.SplitTime(), Seconds(30 * 60));
    EXPECT_EQ(defWave.NoSoundSeconds(), 4);
    EXPECT_EQ(c->DefaultSchedule()->StartDay(6), 1);

    ASSERT_EQ(c->nSchedules(), 3);
    EXPECT_EQ(c->ScheduleList().Item(0)->WaveSetting()->NoSoundPercent(), 5);
    const auto wm = c->ScheduleList().Item(1);
    EXPECT_EQ(wm->RecordingFormat(), FormatType::windowsmedia);
    EXPECT_EQ(wm->WMEFilePath(), "/x/a.wme");
    EXPECT_EQ(wm->WaveSetting()->NoSoundPercent(), 3);  // the default schedule's
    const auto mp3 = c->ScheduleList().Item(2);
    EXPECT_EQ(mp3->RecordingFormat(), FormatType::MP3);
    EXPECT_EQ(mp3->MP3()->MP3CBRMPEG1BitRate(), 160);
    EXPECT_TRUE(mp3->MP3()->MP3VBR());
    EXPECT_EQ(mp3->MP3()->ID3Tag().Title, "");
    EXPECT_TRUE(mp3->UseSystemSourceDevice());
    EXPECT_TRUE(mp3->ServerSource().isEmpty());
    EXPECT_TRUE(mp3->StreamURL().isEmpty());

    EXPECT_TRUE(env.notifier->messages.empty());
    EXPECT_TRUE(QFile::exists(env.Path("schedule.txt")));
}

// A missing required value or a broken tree stops the load there, with what was read before it
// kept.
TEST_F(ScheduleFileTest, DamagedFilesFailWithWhatWasReadKept)
{
    const QString daysWithoutSaturday = QString(kDays).remove("<Saturday>1</Saturday>");
    const QString good = "<Schedule>" + Content("first", kWave.arg("")) + "</Schedule>";
    struct Case {
        const char *what;
        QByteArray file;
        qint32 error;
        int schedules;
        QString savePath;  // assigned before the failure, or still the initial one
    };
    const QString initial = env.dir.path();
    const std::vector<Case> cases = {
        {"no BufferLength", HandWritten("<DefaultSavePath>" + env.Path("kept") + "</DefaultSavePath>",
                                        Content("D", kWave.arg("")), good),
         ErrNo::TypeMismatch, 0, env.Path("kept")},
        {"a day missing", HandWritten("<BufferLength>2</BufferLength>", Content("D", kWave.arg("")),
                                      good + "<Schedule><ScheduleName>x</ScheduleName><Valid>True</Valid><SavePath/>" +
                                          daysWithoutSaturday + "</Schedule>"),
         ErrNo::TypeMismatch, 1, initial},
        {"half a VBR limit", HandWritten("<BufferLength>2</BufferLength>", Content("D", kWave.arg("")),
                                         good + "<Schedule>" +
                                             Content("x", kWave.arg("<MP3Setting>" + kMp3Required +
                                                                    "<VBRMaxBitRate>9</VBRMaxBitRate></MP3Setting>")) +
                                             "</Schedule>"),
         ErrNo::TypeMismatch, 1, initial},
        {"a stream that is not http", HandWritten("<BufferLength>2</BufferLength>", Content("D", kWave.arg("")),
                                                  good + "<Schedule>" + Content("x", kWave.arg("")) +
                                                      "<StreamURL>file:///etc/passwd</StreamURL></Schedule>"),
         ErrNo::TypeMismatch, 1, initial},
        {"no version", HandWritten("", "", "").replace(" version=\"0.5\"", ""), ErrNo::ObjectNotSet, 0, initial},
        {"cut short", HandWritten("<BufferLength>2</BufferLength>", "", "").left(60), ErrNo::ObjectNotSet, 0, initial},
    };
    for (const Case &k : cases) {
        SCOPED_TRACE(k.what);
        Write("schedule.xml", k.file);
        std::optional<NumberedError> error;
        auto c = Load(error);
        ASSERT_TRUE(error);
        EXPECT_EQ(error->Number(), k.error) << error->what();
        EXPECT_TRUE(error->Description().startsWith(env.Path("schedule.xml"))) << error->what();
        EXPECT_EQ(c->nSchedules(), k.schedules);
        EXPECT_EQ(c->DefaultSavePath(), k.savePath);
        if (k.schedules > 0) {
            EXPECT_EQ(c->BufferLength(), 2);
            EXPECT_EQ(c->DefaultSchedule()->Name(), "D");
            EXPECT_EQ(c->ScheduleList().Item(0)->Name(), "first");
        }
        EXPECT_TRUE(c->ScheduleFileUnread());
    }
    EXPECT_TRUE(env.notifier->messages.empty());
}
