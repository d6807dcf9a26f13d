// schedule.txt: every old layout from small files as Windows wrote them, and how a file that
// cannot be read is set aside.

#include "common/TextCodec.h"
#include "tests/core/persistence/ScheduleFileTest.h"

using namespace tolvane;
using tolvane::test::ScheduleFileTest;

namespace {

const QString kInvalidFileMessage = QStringLiteral(
    "schedule.txtの内容が不正です。現在のschedule.txtを破棄します。アプリケーションを再起動して下さい。"
    "現在のschedule.txtはschedule.bakにリネームされています。ファイル内容をテキストエディタなどで変更して"
    "いない場合はOstrelまでご連絡下さい。");

// The lines after the weekdays of a record of the newest layout, in file order; older layouts
// hold the first so many of them.
const QStringList kFields = {
    "07:00:00", "08:30:00", "True", "0", "4", "0", "",  // StartTime, EndTime, Valid, Bit, Frequency, Channel, SavePath
    "True", "False", "1", "/old/news.wme",               // SNSValid, ENSValid, RecordingFormat, WMEFilePath
    "True", "1", "2", "True", "True", "3",               // MP3 switch, Stereo, FileFormat, DeleteWavFile, VBR, VBRQuality
    "true", "256", "48", "192", "96",                    // LimitVBRBitRate, VBRMax, VBRMin, CBRMPEG1, CBRMPEG2
    "True", "False", "True", "50", "70",                 // NotUsePsy, NotUseLPF, CustomizeLPF, LPFA, LPFB
    "True", "2", "-1", "3",                              // SetnCPU, nCPU, SetPriority, Priority
    "True", "False", "True", "False", "True",            // NotUseEnhancedCPU, MMX, 3DNow, SSE, Enhanced3DNow
    "True", "32000", "22050",                            // SetIOFreq, InFreq, OutFreq
    "\\N-\\Y", "False", "1", "4",                        // FileName, UseSystemSourceDevice, DeviceID, SourceLineIndex
};

// A record of `length` lines: the name, the weekdays (one day line, or seven lines) and the fields.
QStringList Record(const QString &name, int length, const QString &dayLine = {})
{
    QStringList lines{name};
    if (dayLine.isNull())
        lines << "1" << "0" << "1" << "0" << "0" << "0" << "1";
    else
        lines << dayLine;
    return lines + kFields.mid(0, length - lines.size());
}

// Every line ended by CR LF, as the old program wrote them; the last may lack its line end.
QByteArray CrLf(const QStringList &lines, bool lastLineEnd = true)
{
    return (lines.join("\r\n") + (lastLineEnd ? "\r\n" : "")).toUtf8();
}

// The values of kFields, checked on a schedule read from the newest layout.
void ExpectNewestFields(const ClsSchedule &s)
{
    EXPECT_EQ(s.StartTime(), "07:00:00");
    EXPECT_EQ(s.EndTime(), "08:30:00");
    EXPECT_TRUE(s.Valid());
    EXPECT_EQ(s.WaveSetting()->Bit(), Bit::lo8bit);
    EXPECT_EQ(s.WaveSetting()->Frequency(), Frequency::Ex48000Hz);
    EXPECT_EQ(s.WaveSetting()->Channel(), Channel::mono);
    EXPECT_EQ(s.SavePath(), "");
    EXPECT_TRUE(s.WaveSetting()->SNSValid());
    EXPECT_FALSE(s.WaveSetting()->ENSValid());
    EXPECT_EQ(s.RecordingFormat(), FormatType::MP3);  // the MP3 switch wins over the format line
    EXPECT_EQ(s.WMEFilePath(), "/old/news.wme");
    const ClsMP3 &m = *s.MP3();
    EXPECT_EQ(m.MP3Stereo(), 1);
    EXPECT_EQ(m.MP3FileFormat(), 2);
    EXPECT_TRUE(m.MP3DeleteWavFile() && m.MP3VBR() && m.MP3LimitVBRBitRate());
    EXPECT_EQ(m.MP3VBRQuality(), 3);
    EXPECT_EQ(m.MP3VBRMaxBitRate(), 256);
    EXPECT_EQ(m.MP3VBRMinBitRate(), 48);
    EXPECT_EQ(m.MP3CBRMPEG1BitRate(), 192);
    EXPECT_EQ(m.MP3CBRMPEG2BitRate(), 96);
    EXPECT_TRUE(m.MP3NotUsePsy() && m.MP3CustomizeLPF() && m.MP3SetnCPU());
    EXPECT_FALSE(m.MP3NotUseLPF());
    EXPECT_EQ(m.MP3LPFA(), 50);
    EXPECT_EQ(m.MP3LPFB(), 70);
    EXPECT_EQ(m.MP3nCPU(), 2);
    EXPECT_EQ(m.MP3SetPriority(), -1);
    EXPECT_EQ(m.MP3Priority(), 3);
    EXPECT_TRUE(m.MP3NotUseEnhancedCPU() && m.MP3NotUse3DNow() && m.MP3NotUseEnhanced3DNow());
    EXPECT_FALSE(m.MP3NotUseMMX() || m.MP3NotUseSSE());
    EXPECT_TRUE(m.MP3SetIOFreq());
    EXPECT_EQ(m.MP3InFreq(), 32000);
    EXPECT_EQ(m.MP3OutFreq(), 22050);
    EXPECT_EQ(s.FileName(), "\\N-\\Y");
    EXPECT_FALSE(s.UseSystemSourceDevice());
    EXPECT_EQ(s.DeviceID(), 1);
    EXPECT_EQ(s.SourceLineIndex(), 4);
    EXPECT_EQ(s.StartDay(2), 1);
    EXPECT_EQ(s.StartDay(1), 0);
}

}  // namespace

// The newest layout with Windows line ends, the last line without one: options, the default schedule and a record. The
// next save writes schedule.xml, which is read from then on; schedule.txt stays.
TEST_F(ScheduleFileTest, NewestLayout)
{
    ASSERT_TRUE(QDir().mkdir(env.Path("rec")));
    Write("schedule.txt", CrLf(QStringList{"savedataver0.3.7", env.Path("rec"), "2.5", "4", "x", "y"} +
                               Record("Default", 51) + Record("Morning", 51),
                           false));
    auto c = Load();
    EXPECT_EQ(c->DefaultSavePath(), env.Path("rec"));
    EXPECT_EQ(c->NoSoundVolume(), 2.5);
    EXPECT_EQ(c->BufferLength(), 4);
    EXPECT_EQ(c->DefaultSchedule()->Name(), "Default");
    ExpectNewestFields(*c->DefaultSchedule());
    ASSERT_EQ(c->nSchedules(), 1);
    EXPECT_EQ(c->ScheduleList().KeyAt(0), "ID0");
    EXPECT_EQ(c->ScheduleList().Item(0)->Name(), "Morning");
    ExpectNewestFields(*c->ScheduleList().Item(0));

    Save(*c);
    EXPECT_EQ(Files(), (QStringList{"rec", "schedule.txt", "schedule.xml"}));
    Write("schedule.txt", "garbage that would fail\r\n");
    auto again = Load();
    EXPECT_EQ(again->ScheduleList().Item(0)->Name(), "Morning");
    EXPECT_EQ(again->NoSoundVolume(), 2.5);  // the silence level of the options is kept too
    EXPECT_TRUE(env.notifier->messages.empty());
}

// Each layout, found by its first line, reads its header and records at the documented
// lines; the values a layout lacks are those of a record without them.
TEST_F(ScheduleFileTest, EveryLayout)
{
    struct Layout {
        const char *tag;  // empty: no tag, the first line is the save folder
        int length;       // lines per record
        bool dayLine;
        bool defaultBlock;
    };
    const Layout layouts[] = {
        {"savedataver0.3.7", 51, false, true}, {"savedataver0.3.6", 48, false, true},
        {"savedataver0.3.5", 47, false, true}, {"savedataver0.3.0", 41, true, true},
        {"savedataver0.2.0", 13, true, true},  {"savedataver0.0.18", 11, true, true},
        {"savedataver0.0.16", 11, true, false}, {"", 9, true, false},
    };
    for (const Layout &l : layouts) {
        SCOPED_TRACE(l.tag);
        const QString tag = QString::fromLatin1(l.tag);
        QStringList lines;
        if (l.defaultBlock)
            lines << tag << "" << "1.5" << "7" << "x" << "y" << Record("Default", l.length, l.dayLine ? "0" : QString());
        else if (!tag.isEmpty())
            lines << tag << "" << "x" << "y";
        else
            lines << "" << "x" << "y";
        lines << Record("A", l.length, l.dayLine ? "0" : QString()) << Record("B", l.length, l.dayLine ? "2" : QString());
        QFile::remove(env.Path("schedule.txt"));
        Write("schedule.txt", CrLf(lines));

        auto c = Load();
        ASSERT_EQ(c->nSchedules(), 2);
        const ClsSchedule &a = *c->ScheduleList().Item(0);
        const ClsSchedule &b = *c->ScheduleList().Item(1);
        EXPECT_EQ(a.Name(), "A");
        EXPECT_EQ(b.Name(), "B");
        EXPECT_EQ(c->ScheduleList().KeyAt(1), "ID1");
        EXPECT_EQ(a.StartTime(), "07:00:00");
        EXPECT_EQ(a.WaveSetting()->Frequency(), Frequency::Ex48000Hz);
        if (l.dayLine) {
            // 0 is every day; any other value v is the day v + 1 (2 is Wednesday).
            for (int day = 0; day < 7; ++day) {
                EXPECT_EQ(a.StartDay(day), 1);
                EXPECT_EQ(b.StartDay(day), day == 3 ? 1 : 0);
            }
        }
        EXPECT_EQ(a.WaveSetting()->SNSValid(), l.length > 9);
        const FormatType format = l.length > 13 ? FormatType::MP3 : l.length == 13 ? FormatType::windowsmedia
                                                                                 : FormatType::wave;
        EXPECT_EQ(a.RecordingFormat(), format);
        EXPECT_EQ(a.WMEFilePath(), l.length >= 13 ? "/old/news.wme" : "");
        EXPECT_EQ(a.MP3()->MP3Stereo(), l.length > 13 ? 1 : 2);
        EXPECT_EQ(a.MP3()->MP3VBRMaxBitRate(), l.length > 13 ? 256 : 160);
        EXPECT_EQ(a.FileName(), l.length >= 48 ? "\\N-\\Y" : "\\Y\\M\\D\\h\\m\\s");
        EXPECT_EQ(a.UseSystemSourceDevice(), l.length < 51);

        if (l.defaultBlock) {
            EXPECT_EQ(c->BufferLength(), 7);
            EXPECT_EQ(c->NoSoundVolume(), 1.5);
            const ClsSchedule &def = *c->DefaultSchedule();
            EXPECT_EQ(def.Name(), "Default");
            EXPECT_EQ(def.RecordingFormat(), format);
            // Values the block lacks keep the class defaults, not those of a record.
            EXPECT_EQ(def.MP3()->MP3Stereo(), l.length > 13 ? 1 : 3);
            EXPECT_EQ(def.FileName(), l.length >= 48 ? "\\N-\\Y" : "\\N_\\Y\\M\\D\\h\\m\\s");
            EXPECT_EQ(def.WMEFilePath(), l.length >= 13 ? "/old/news.wme" : env.Path("wme/default.wme"));
        } else {
            EXPECT_EQ(c->BufferLength(), 1);
            EXPECT_EQ(c->NoSoundVolume(), 0);
            EXPECT_EQ(c->DefaultSchedule()->Name(), "New");
        }
    }
    EXPECT_TRUE(env.notifier->messages.empty());
}

// A Shift_JIS file from a Japanese Windows, and the smallest files.
TEST_F(ScheduleFileTest, Cp932AndTinyFiles)
{
    QStringList lines = {env.Path("rec"), "x", "y"};
    lines << Record(QStringLiteral("朝のニュース"), 9, "0");
    const QByteArray sjis = TextCodec::EncodeCp932(QString::fromUtf8(CrLf(lines)));
    ASSERT_FALSE(TextCodec::IsValidUtf8(sjis));
    Write("schedule.txt", sjis);
    auto c = Load();
    EXPECT_EQ(c->DefaultSavePath(), env.Path("rec"));  // created by the let
    ASSERT_EQ(c->nSchedules(), 1);
    EXPECT_EQ(c->ScheduleList().Item(0)->Name(), QStringLiteral("朝のニュース"));

    // An empty file is the untagged layout with an empty save folder and no schedules.
    Write("schedule.txt", "");
    c = Load();
    EXPECT_EQ(c->DefaultSavePath(), env.dir.path());
    EXPECT_EQ(c->nSchedules(), 0);

    // The tag of a later version is not known: the untagged layout takes it as the save folder,
    // a relative path, which is never made in the working folder.
    const test::WorkingFolder workIn(env.dir.path());
    Write("schedule.txt", CrLf({"savedataver0.4.0", "x", "y"}));
    c = Load();
    EXPECT_EQ(c->DefaultSavePath(), env.dir.path());
    EXPECT_FALSE(QFileInfo::exists(env.Path("savedataver0.4.0")));
    EXPECT_EQ(c->nSchedules(), 0);
    EXPECT_TRUE(env.notifier->messages.empty());
}

// A head that does not read (a value that is not a number, a missing line) or too many lines:
// the whole file is set aside, the user is told, and the error reaches the caller with what was
// read before it kept. A name an earlier failure left is not replaced: the next free one is used.
TEST_F(ScheduleFileTest, UnreadableFileIsSetAsideWhole)
{
    const QStringList tooMany = QStringList(32768, QString()) << "last";
    const struct {
        const char *what;
        QStringList lines;
        qint32 error;
        const char *bak;
    } cases[] = {
        {"a buffer length that is not a number", QStringList{"savedataver0.3.0", "", "0", "abc"},
         ErrNo::TypeMismatch, "schedule.bak"},
        {"only a tag", QStringList{"savedataver0.0.16"}, ErrNo::SubscriptOutOfRange, "schedule.bak.1"},
        {"more than 32768 lines", tooMany, ErrNo::Overflow, "schedule.bak.2"},
    };
    for (const auto &k : cases) {
        SCOPED_TRACE(k.what);
        env.notifier->messages.clear();
        Write("schedule.txt", CrLf(k.lines));

        std::optional<NumberedError> error;
        auto c = Load(error);
        ASSERT_TRUE(error);
        EXPECT_EQ(error->Number(), k.error) << error->what();
        EXPECT_EQ(c->nSchedules(), 0);
        EXPECT_EQ(c->DefaultSchedule()->Name(), "New");
        EXPECT_FALSE(QFile::exists(env.Path("schedule.txt")));
        EXPECT_EQ(Read(k.bak), CrLf(k.lines));
        ASSERT_EQ(env.notifier->messages.size(), 1u);
        EXPECT_EQ(env.notifier->messages[0].text, QString(kInvalidFileMessage).replace("schedule.bak", k.bak));
    }
    EXPECT_EQ(Read("schedule.bak"), CrLf(cases[0].lines));
}

// Schedules that do not read (a day line for no day, a record cut short at the end, a default
// block with a bad value) are left out and the rest loads. Their lines go to schedule.bak, the
// user is told which they were, and the error names them; schedule.txt stays for the next start,
// which finds the same and adds no second copy. A read-only run only reports.
TEST_F(ScheduleFileTest, UnreadableSchedulesAreLeftOut)
{
    const QStringList head037 = {"savedataver0.3.7", "", "0", "3", "", ""};
    const QStringList head020 = {"savedataver0.2.0", "", "0", "3", "", ""};
    QStringList notValid = Record("B", 51);
    notValid[10] = "maybe";
    const struct {
        const char *what;
        QStringList lines;
        QStringList loaded;
        QString defaultName;
        QStringList unread;  // the lines set aside
        QStringList where;   // what the message names
        qint32 error;        // the first unread record's
    } cases[] = {
        {"records", head037 + Record("Default", 51) + Record("A", 51) + notValid + Record("C", 51) + Record("D", 50),
         {"A", "C"}, "Default", notValid + Record("D", 50),
         {QStringLiteral("109行目～159行目「B」"), QStringLiteral("211行目～260行目「D」")}, ErrNo::TypeMismatch},
        {"the default block", head020 + Record("Default", 13, "6") + Record("A", 13, "0"), {"A"}, "New",
         Record("Default", 13, "6"), {QStringLiteral("7行目～19行目「Default」（既定の予定）")},
         ErrNo::SubscriptOutOfRange},
    };
    for (const auto &k : cases) {
        SCOPED_TRACE(k.what);
        for (const QString &name : Files())
            QFile::remove(env.Path(name));
        Write("schedule.txt", CrLf(k.lines));
        for (int start = 0; start < 2; ++start) {
            env.notifier->messages.clear();
            std::optional<NumberedError> error;
            auto c = Load(error);
            ASSERT_TRUE(error);
            EXPECT_EQ(error->Number(), k.error) << error->what();
            QStringList names;
            for (const auto &entry : c->ScheduleList())
                names << entry.schedule->Name();
            EXPECT_EQ(names, k.loaded);
            EXPECT_EQ(c->ScheduleList().KeyAt(0), "ID0");
            EXPECT_EQ(c->DefaultSchedule()->Name(), k.defaultName);
            EXPECT_EQ(Files(), (QStringList{"schedule.bak", "schedule.txt"}));
            EXPECT_EQ(Read("schedule.txt"), CrLf(k.lines));
            EXPECT_EQ(Read("schedule.bak"), CrLf(k.unread));
            ASSERT_EQ(env.notifier->messages.size(), 1u);
            const QString &message = env.notifier->messages[0].text;
            EXPECT_TRUE(message.startsWith(QStringLiteral(
                "schedule.txtの次の予定は内容が不正なため読み込めませんでした。その行はschedule.bakに書き出して"
                "あります。ほかの予定は読み込みました。\n")))
                << message.toStdString();
            for (const QString &where : k.where)
                EXPECT_TRUE(message.contains(where)) << message.toStdString();
            EXPECT_TRUE(error->Description().contains("\"" + k.unread.first() + "\"")) << error->what();

            if (start == 1) {
                Save(*c);
                auto saved = Load();
                EXPECT_EQ(saved->nSchedules(), k.loaded.size());
            }
        }
    }

    for (const QString &name : Files())
        QFile::remove(env.Path(name));
    env.notifier->messages.clear();
    env.services->readOnly = true;
    Write("schedule.txt", CrLf(cases[0].lines));
    std::optional<NumberedError> error;
    auto c = Load(error);
    ASSERT_TRUE(error);
    EXPECT_EQ(c->nSchedules(), 2);
    EXPECT_EQ(Files(), QStringList{"schedule.txt"});
    EXPECT_TRUE(env.notifier->messages.empty());
}

// The longest file an old installation can hold loads whole.
TEST_F(ScheduleFileTest, LongestReadableFile)
{
    QStringList lines = {"", "x", "y"};
    for (int i = 0; i < 3640; ++i)
        lines << Record(QString::number(i), 9, "0");
    ASSERT_EQ(lines.size(), 32763);
    Write("schedule.txt", CrLf(lines));
    auto c = Load();
    ASSERT_EQ(c->nSchedules(), 3640);
    EXPECT_EQ(c->ScheduleList().Item(3639)->Name(), "3639");
    EXPECT_EQ(c->ScheduleList().KeyAt(3639), "ID3639");
}
