#include "common/NumberedError.h"
#include "core/schedule/ClsSchedule.h"
#include "tests/support/TestServices.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using namespace tolvane;
using tolvane::test::TestEnv;

// A new schedule has the documented defaults, with the application folder in its paths.
TEST(ClsSchedule, Defaults)
{
    TestEnv env;
    ClsSchedule s(env.services);
    EXPECT_EQ(s.Name(), "New");
    EXPECT_EQ(s.StartTime(), "00:00:00");
    EXPECT_EQ(s.EndTime(), "00:00:00");
    EXPECT_TRUE(s.Valid());
    EXPECT_EQ(s.RecordingFormat(), FormatType::wave);
    EXPECT_TRUE(s.UseSystemSourceDevice());
    for (int d = 0; d < 7; ++d)
        EXPECT_EQ(s.StartDay(d), 0);
    EXPECT_EQ(s.FileName(), "\\N_\\Y\\M\\D\\h\\m\\s");
    EXPECT_EQ(s.SavePath(), env.dir.path());
    EXPECT_EQ(s.WMEFilePath(), env.dir.path() + "/wme/default.wme");
    EXPECT_FALSE(s.BeforeExecuted());
}

// The weekday index is checked on get and let; any value is stored.
TEST(ClsSchedule, StartDayIndexChecked)
{
    TestEnv env;
    ClsSchedule s(env.services);
    s.setStartDay(3, 2);
    EXPECT_EQ(s.StartDay(3), 2);
    for (int bad : {-1, 7}) {
        try {
            s.setStartDay(bad, 1);
            FAIL();
        } catch (const NumberedError &e) {
            EXPECT_EQ(e.Number(), ErrNo::SubscriptOutOfRange);
        }
        EXPECT_THROW((void)s.StartDay(bad), NumberedError);
    }
}

// SavePath: empty kept, existing kept, creatable created, impossible or not absolute replaced
// with a message.
TEST(ClsSchedule, SavePathChecksAndCreatesTheFolder)
{
    TestEnv env;
    ClsSchedule s(env.services);
    s.setName("Morning");

    s.setSavePath("");
    EXPECT_EQ(s.SavePath(), "");

    const QString fresh = env.Path("rec");
    s.setSavePath(fresh);
    EXPECT_EQ(s.SavePath(), fresh);
    EXPECT_TRUE(QDir(fresh).exists());
    s.setSavePath(fresh);  // existing: kept, no message
    EXPECT_TRUE(env.notifier->messages.empty());

    QFile regular(env.Path("file"));
    ASSERT_TRUE(regular.open(QIODevice::WriteOnly));
    regular.close();
    const QString impossible = env.Path("file/sub");
    s.setSavePath(impossible);
    EXPECT_EQ(s.SavePath(), env.dir.path());
    ASSERT_EQ(env.notifier->messages.size(), 1u);
    EXPECT_EQ(env.notifier->messages[0].text, impossible + "が見つからず作成も失敗したためMorningの保存フォルダを" +
                                                  env.dir.path() + "に設定しました。");

    s.setSavePath(env.Path("a/b/c"));  // only one level is created
    EXPECT_EQ(s.SavePath(), env.dir.path());
    EXPECT_EQ(env.notifier->messages.size(), 2u);

    // A path from Windows, or a relative one (even to a folder that is there), is never looked
    // for or made in the working folder.
    const test::WorkingFolder workIn(env.dir.path());
    const QStringList before = QDir(env.dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries);
    for (const QString path : {"C:\\Program Files\\Tolvane\\rec", "rec", "C:/rec"}) {
        s.setSavePath(path);
        EXPECT_EQ(s.SavePath(), env.dir.path()) << path.toStdString();
        EXPECT_EQ(env.notifier->messages.back().text,
                  path + "が見つからず作成も失敗したためMorningの保存フォルダを" + env.dir.path() + "に設定しました。");
    }
    EXPECT_EQ(env.notifier->messages.size(), 5u);
    EXPECT_EQ(QDir(env.dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), before);
}

// Program paths take only existing files by absolute path; anything else leaves the old path.
TEST(ClsSchedule, ProgramPathsNeedAnExistingFile)
{
    TestEnv env;
    ClsSchedule s(env.services);
    const QString prog = env.Path("prog.sh");
    QFile f(prog);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();

    s.setBeforeExecutePath(prog);
    s.setAfterExecutePath(prog);
    EXPECT_EQ(s.BeforeExecutePath(), prog);
    s.setBeforeExecutePath(env.Path("missing.sh"));
    s.setAfterExecutePath("");
    s.setAfterExecutePath(env.dir.path());  // a folder is not a program
    const test::WorkingFolder workIn(env.dir.path());
    s.setBeforeExecutePath("prog.sh");  // never resolved against the working folder
    EXPECT_EQ(s.BeforeExecutePath(), prog);
    EXPECT_EQ(s.AfterExecutePath(), prog);
}

// A stream is an http or https address with a host; anything else (other schemes reach local
// files or programs through FFmpeg) is refused with 13 and the old address kept.
TEST(ClsSchedule, StreamURLIsAnHttpAddress)
{
    TestEnv env;
    ClsSchedule s(env.services);
    for (const char *good : {"http://radio.example.org/live.mp3", "HTTPS://[::1]:8000/a?b=c", "http://127.0.0.1:8000/"}) {
        s.setStreamURL(QString::fromLatin1(good));
        EXPECT_EQ(s.StreamURL(), QString::fromLatin1(good));
    }
    for (const char *bad : {"file:///etc/passwd", "pipe:0", "rtmp://x/y", "http:///nohost", "http://a b/", "radio.example.org",
                            "http://x/"}) {
        SCOPED_TRACE(bad);
        try {
            s.setStreamURL(QString::fromLatin1(bad));
            ADD_FAILURE() << "taken";
        } catch (const NumberedError &e) {
            EXPECT_EQ(e.Number(), ErrNo::TypeMismatch);
        }
        EXPECT_EQ(s.StreamURL(), "http://127.0.0.1:8000/");
    }
    EXPECT_THROW(s.setStreamURL("http://x/" + QString(2048, 'a')), NumberedError);
    s.setStreamURL("");
    EXPECT_TRUE(s.StreamURL().isEmpty());
}

// CopyFrom copies every property into the target's own settings objects.
TEST(ClsSchedule, CopyFromIsIndependent)
{
    TestEnv env;
    const QString prog = env.Path("p");
    QFile f(prog);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();

    ClsSchedule src(env.services);
    src.setName("News");
    src.setStartTime("07:00:00");
    src.setEndTime("08:00:00");
    src.setStartTimeDelay(Seconds(300));
    src.setEndTimeDelay(Seconds(600));
    src.setTimeDayStart(Seconds(18000));
    src.setStartDay(1, 1);
    src.setValid(false);
    src.setRecordingFormat(FormatType::MP3);
    src.setSavePath(env.Path("out"));
    src.setWMEFilePath("/x.wme");
    src.setFileName("\\N");
    src.setExitTV(true);
    src.setExitWindows(true);
    src.setHibernate(true);
    src.setUseSystemSourceDevice(false);
    src.setDeviceID(2);
    src.setSourceLineIndex(3);
    src.setServerSource("null.monitor");
    src.setStreamURL("http://radio.example.org/live");
    src.setAfterExecute(true);
    src.setAfterExecutePath(prog);
    src.setBeforeExecute(true);
    src.setBeforeExecutePath(prog);
    src.setBeforeExecuteSeconds(60);
    src.setBeforeExecuted(true);
    src.WaveSetting()->setBit(Bit::lo8bit);
    src.MP3()->setMP3VBR(true);

    ClsSchedule dst(env.services);
    const auto dstWave = dst.WaveSetting();
    dst.CopyFrom(src);
    EXPECT_EQ(dst.Name(), "News");
    EXPECT_EQ(dst.StartTime(), "07:00:00");
    EXPECT_EQ(dst.EndTime(), "08:00:00");
    EXPECT_EQ(dst.StartTimeDelay(), Seconds(300));
    EXPECT_EQ(dst.EndTimeDelay(), Seconds(600));
    EXPECT_EQ(dst.TimeDayStart(), Seconds(18000));
    EXPECT_EQ(dst.StartDay(1), 1);
    EXPECT_FALSE(dst.Valid());
    EXPECT_EQ(dst.RecordingFormat(), FormatType::MP3);
    EXPECT_EQ(dst.SavePath(), env.Path("out"));
    EXPECT_EQ(dst.WMEFilePath(), "/x.wme");
    EXPECT_EQ(dst.FileName(), "\\N");
    EXPECT_TRUE(dst.ExitTV() && dst.ExitWindows() && dst.Hibernate());
    EXPECT_FALSE(dst.UseSystemSourceDevice());
    EXPECT_EQ(dst.DeviceID(), 2);
    EXPECT_EQ(dst.SourceLineIndex(), 3);
    EXPECT_EQ(dst.ServerSource(), "null.monitor");
    EXPECT_EQ(dst.StreamURL(), "http://radio.example.org/live");
    EXPECT_TRUE(dst.AfterExecute() && dst.BeforeExecute());
    EXPECT_EQ(dst.AfterExecutePath(), prog);
    EXPECT_EQ(dst.BeforeExecutePath(), prog);
    EXPECT_EQ(dst.BeforeExecuteSeconds(), 60);
    EXPECT_TRUE(dst.BeforeExecuted());
    EXPECT_TRUE(dst.MP3()->MP3VBR());

    // The target keeps its own settings objects.
    EXPECT_EQ(dst.WaveSetting(), dstWave);
    EXPECT_NE(dst.WaveSetting(), src.WaveSetting());
    dst.WaveSetting()->setBit(Bit::Hi16bit);
    EXPECT_EQ(src.WaveSetting()->Bit(), Bit::lo8bit);

    // A program that disappeared is not copied.
    ASSERT_TRUE(QFile::remove(prog));
    ClsSchedule later(env.services);
    later.CopyFrom(src);
    EXPECT_EQ(later.AfterExecutePath(), "");
}
