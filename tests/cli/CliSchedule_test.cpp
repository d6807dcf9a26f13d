// `tolvane-cli schedule` against a scratch application folder: every option lands in its field
// (read back through the schedule file and with status), edit changes only what it is given,
// refused input leaves the file byte for byte, and a running recorder takes a new schedule at once.

#include "CliRunner.h"
#include "common/InstanceLock.h"
#include "core/controller/ClsController.h"
#include "core/schedule/ScheduleChecks.h"
#include "tests/support/TestServices.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLockFile>
#include <QRegularExpression>
#include <QThread>

#include <gtest/gtest.h>

#include <csignal>

using namespace tolvane;
using namespace tolvane::test;

namespace {

class CliSchedule : public ::testing::Test {
protected:
    CliResult Run(const QStringList &args) { return RunCli(env.dir.path(), QStringList{"schedule"} + args); }

    // The schedules as the recorder reads them.
    std::unique_ptr<ClsController> Load()
    {
        auto c = std::make_unique<ClsController>(env.services);
        c->Setup();
        return c;
    }

    // `schedule list --json`, by name.
    QJsonObject Listed(const QString &name)
    {
        const CliResult r = Run({"list", "--json"});
        for (const QJsonValue v : QJsonDocument::fromJson(r.out.toUtf8()).array()) {
            if (v.toObject().value("name").toString() == name)
                return v.toObject();
        }
        return {};
    }

    QByteArray File() const
    {
        QFile f(env.Path("schedule.xml"));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QString Program(const QString &name) const
    {
        const QString path = env.Path(name);
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write("#!/bin/sh\n");
        f.close();
        f.setPermissions(f.permissions() | QFileDevice::ExeOwner);
        return path;
    }

    TestEnv env;
};

}  // namespace

// add starts from the default schedule and sets every field it is given; the recorder's own
// reading of the file and status show them.
TEST_F(CliSchedule, AddSetsEveryField)
{
    const QString before = Program("before.sh");
    const QString after = Program("after.sh");
    const CliResult r = Run({"add", "ラジオ講座", "--days", "mon,wed,fri", "--start", "23:30:00", "--for", "01:00:00",
                             "--format", "mp3", "--folder", env.Path("rec"), "--template", "\\N_\\Y\\M\\D",
                             "--day-start", "04:00:00", "--disabled", "--device", "1", "--input", "2",
                             "--wme-session", env.Path("s.wme"), "--rate", "22050", "--bits", "8", "--channels", "mono",
                             "--trim-start", "--trim-end", "--silence-level", "-40", "--split-silence", "3",
                             "--split-every", "00:30:00", "--mp3-mode", "joint", "--mp3-file", "riff-wave",
                             "--bitrate", "192", "--bitrate-low", "64", "--vbr", "4", "--vbr-range", "64-256",
                             "--realtime", "--delete-wave", "--id3", "--title", "\\N", "--artist", "NHK",
                             "--album", "語学", "--year", "2024", "--comment", "c", "--genre", "101", "--before",
                             before, "--before-seconds", "30", "--after", after, "--when-done", "hibernate-quit"});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, "added \"ラジオ講座\" as #1\n");
    EXPECT_TRUE(QFileInfo(env.Path("rec")).isDir());

    const auto c = Load();
    ASSERT_EQ(c->nSchedules(), 1);
    const ClsSchedule &s = *c->Schedule("ID0");
    const ClsWave &w = *s.WaveSetting();
    const ClsMP3 &m = *s.MP3();
    EXPECT_EQ(s.Name(), QStringLiteral("ラジオ講座"));
    for (int day = 0; day < 7; ++day)
        EXPECT_EQ(s.StartDay(day), day == 1 || day == 3 || day == 5 ? 1 : 0) << day;
    EXPECT_EQ(s.StartTime(), "23:30:00");
    EXPECT_EQ(s.EndTime(), "00:30:00");  // across midnight
    EXPECT_EQ(s.RecordingFormat(), FormatType::MP3);
    EXPECT_EQ(s.SavePath(), env.Path("rec"));
    EXPECT_EQ(s.FileName(), "\\N_\\Y\\M\\D");
    EXPECT_EQ(s.TimeDayStart(), Seconds(4 * 3600));
    EXPECT_FALSE(s.Valid());
    EXPECT_FALSE(s.UseSystemSourceDevice());
    EXPECT_EQ(s.DeviceID(), 1);
    EXPECT_EQ(s.SourceLineIndex(), 2);
    EXPECT_EQ(w.Frequency(), Frequency::Mi22050Hz);
    EXPECT_EQ(w.Bit(), Bit::lo8bit);
    EXPECT_EQ(w.Channel(), Channel::mono);
    EXPECT_TRUE(w.SNSValid() && w.ENSValid());
    EXPECT_EQ(w.NoSounddB().toString(), "-40");
    EXPECT_TRUE(w.Split());
    EXPECT_EQ(w.NoSoundSeconds(), 3.0);
    EXPECT_TRUE(w.SplitByTime());
    EXPECT_EQ(w.SplitTime(), Seconds(1800));
    EXPECT_EQ(m.MP3Stereo(), 2);
    EXPECT_EQ(m.MP3FileFormat(), 1);
    EXPECT_EQ(m.MP3CBRMPEG1BitRate(), 192);
    EXPECT_EQ(m.MP3CBRMPEG2BitRate(), 64);
    EXPECT_TRUE(m.MP3VBR());
    EXPECT_EQ(m.MP3VBRQuality(), 4);
    EXPECT_TRUE(m.MP3LimitVBRBitRate());
    EXPECT_EQ(m.MP3VBRMinBitRate(), 64);
    EXPECT_EQ(m.MP3VBRMaxBitRate(), 256);
    EXPECT_TRUE(m.MP3RealTime() && m.MP3DeleteWavFile() && m.MakeID3Tag());
    const ID3Tag tag = m.ID3Tag();
    EXPECT_EQ(tag.Title, "\\N");
    EXPECT_EQ(tag.Artist, "NHK");
    EXPECT_EQ(tag.Album, QStringLiteral("語学"));
    EXPECT_EQ(tag.Year, "2024");
    EXPECT_EQ(tag.Comment, "c");
    EXPECT_EQ(tag.GenreNo, 101);
    EXPECT_TRUE(s.BeforeExecute() && s.AfterExecute());
    EXPECT_EQ(s.BeforeExecutePath(), before);
    EXPECT_EQ(s.BeforeExecuteSeconds(), 30);
    EXPECT_EQ(s.AfterExecutePath(), after);
    EXPECT_TRUE(s.Hibernate() && s.ExitTV());
    EXPECT_FALSE(s.ExitWindows());

    // What add was not given comes from the default schedule.
    const ClsSchedule &d = *c->DefaultSchedule();
    EXPECT_EQ(m.MP3LPFA(), d.MP3()->MP3LPFA());

    const CliResult status = RunCli(env.dir.path(), {"status"});
    EXPECT_TRUE(status.out.contains(QStringLiteral("  ID0\tラジオ講座\t-M-W-F-\t23:30:00-00:30:00\tinvalid\n")))
        << status.out.toStdString();
}

// edit changes what it is given and nothing else; enable, disable, postpone and remove do
// their one thing; a name is found by its number where it is not unique.
TEST_F(CliSchedule, EditChangesOnlyWhatItIsGiven)
{
    ASSERT_EQ(Run({"add", "Morning", "--days", "all", "--start", "07:00", "--end", "07:15"}).code, 0);
    ASSERT_EQ(Run({"add", "Evening", "--days", "none", "--start", "19:00", "--for", "00:30:00"}).code, 0);
    const struct {
        QStringList args;
        QStringList changed;  // the list's fields that change
    } edits[] = {
        {{"--days", "sat,sun"}, {"days"}},
        {{"--start", "06:30:00"}, {"start", "for"}},
        {{"--for", "02:00:00"}, {"end", "for"}},
        {{"--rate", "48000", "--channels", "mono"}, {"rate", "channels"}},
        {{"--format", "mp3"}, {"format"}},
        {{"--vbr", "3", "--bitrate", "320"}, {"vbr", "bitrate"}},
        // The file keeps no wave or MP3 settings for a Windows Media schedule: it takes the default's.
        {{"--format", "windowsmedia"}, {"format", "rate", "channels", "vbr", "bitrate"}},
        {{"--when-done", "power-off"}, {"when-done"}},
        {{"--source", "null.monitor"}, {"device", "input", "source"}},
        {{"--url", "http://radio.example/live.mp3"}, {"url"}},
        // The system's input drops the server's source and the stream; the file keeps no input
        // line for it, so the default schedule's comes back.
        {{"--device", "system"}, {"device", "input", "source", "url"}},
        {{"--rename", "Dawn"}, {"name"}},
    };
    QString name = "Morning";
    for (const auto &e : edits) {
        const QJsonObject before = Listed(name);
        const QJsonObject other = Listed("Evening");
        const CliResult r = Run(QStringList{"edit", name} + e.args);
        ASSERT_EQ(r.code, 0) << e.args.join(' ').toStdString() << r.err.toStdString();
        if (e.args.first() == "--rename")
            name = e.args.last();
        const QJsonObject after = Listed(name);
        for (const QString &key : before.keys())
            EXPECT_EQ(before.value(key) != after.value(key), e.changed.contains(key)) << e.args.join(' ').toStdString() << " " << key.toStdString();
        EXPECT_EQ(Listed("Evening"), other);
    }
    EXPECT_EQ(Listed(name).value("end").toString(), "08:30:00");
    // Settings the file does not keep for the schedule's format are taken with a word that they are lost.
    const CliResult unkept = Run({"edit", name, "--rate", "22050"});
    EXPECT_EQ(unkept.code, 0);
    EXPECT_TRUE(unkept.err.contains("a windowsmedia schedule keeps no WAVE settings")) << unkept.err.toStdString();

    EXPECT_EQ(Run({"disable", "Dawn"}).out, "disabled \"Dawn\" (#1)\n");
    EXPECT_FALSE(Listed("Dawn").value("enabled").toBool());
    EXPECT_EQ(Run({"enable", "#1"}).code, 0);
    EXPECT_TRUE(Listed("Dawn").value("enabled").toBool());
    EXPECT_EQ(Run({"postpone", "Dawn", "--start-delay", "00:10:00"}).code, 0);
    EXPECT_EQ(Listed("Dawn").value("start-delay").toString(), "00:10:00");
    EXPECT_EQ(Listed("Dawn").value("end-delay").toString(), "00:00:00");

    // A second "Evening" made in the window, with logging on: the name alone no longer says which.
    {
        auto c = Load();
        c->gMakeLog = true;
        auto twin = c->CreateNewSchedule();
        twin->setName("Evening");
        c->AddSchedule2List(twin);
        c->SaveSetting();
    }
    CliResult r = Run({"remove", "Evening"});
    EXPECT_EQ(r.code, 2);
    EXPECT_TRUE(r.err.contains("2 schedules are named \"Evening\": name one by its number (#2, #3)")) << r.err.toStdString();
    r = Run({"remove", "#3"});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, "removed \"Evening\" (#3)\n");
    QFile log(env.Path("rec.log"));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QString logged = QString::fromUtf8(log.readAll());
    EXPECT_TRUE(logged.contains(QRegularExpression("Evening [0-9/: ]+ScheduleDeleted\r\nSetting [0-9/: ]+SaveSuccessed\r\n$")))
        << logged.toStdString();
    const auto c = Load();
    ASSERT_EQ(c->nSchedules(), 2);
    EXPECT_EQ(c->Schedule("ID0")->Name(), "Dawn");
    EXPECT_EQ(c->Schedule("ID1")->Name(), "Evening");
}

// Whatever the editor would refuse is refused with its message and status 2, and the file
// stays byte for byte as it was; nothing else is made either.
TEST_F(CliSchedule, RefusedInputWritesNothing)
{
    ASSERT_EQ(Run({"add", "Morning", "--days", "mon", "--start", "07:00", "--end", "07:15"}).code, 0);
    const QByteArray saved = File();
    QFile regular(env.Path("plain.txt"));
    ASSERT_TRUE(regular.open(QIODevice::WriteOnly));
    regular.close();
    const QStringList add = {"add", "New", "--days", "mon", "--start", "08:00", "--for", "00:10:00"};
    const struct {
        QStringList args;
        QString message;
    } cases[] = {
        {{"add", "New", "--days", "mon,xyz", "--start", "08:00", "--end", "09:00"}, "--days takes sun, mon, tue"},
        {{"add", "New", "--days", "mon", "--start", "25:00", "--end", "09:00"}, "--start takes a time hh:mm:ss"},
        {{"add", "New", "--days", "mon", "--start", "08:00"}, "needs --days, --start, and --end or --for"},
        {{"add", "New", "--days", "mon", "--start", "08:00", "--for", "00:00:00"}, "at least one second"},
        {{"add", "New", "--days", "mon", "--start", "08:00", "--end", "09:00", "--for", "01:00:00"}, "cannot go together"},
        {add + QStringList{"--format", "ogg"}, "--format takes wave, mp3 or windowsmedia"},
        {{"add", "Morning", "--days", "mon", "--start", "08:00", "--end", "09:00"}, ScheduleChecks::DuplicateNameQuestion()},
        {add + QStringList{"--template", "a:b"}, ScheduleChecks::FileNameTemplateMessage()},
        {add + QStringList{"--before-seconds", "0"}, ScheduleChecks::BeforeExecuteSecondsMessage()},
        {add + QStringList{"--silence-level", "10"}, ScheduleChecks::NoSounddBMessage()},
        {add + QStringList{"--split-silence", "-1"}, ScheduleChecks::SplitSecondsMessage()},
        {add + QStringList{"--split-every", "00:00:00"}, ScheduleChecks::SplitTimeMessage()},
        {add + QStringList{"--bitrate", "144"}, "--bitrate takes one of 32, 40"},
        {add + QStringList{"--url", "file:///etc/passwd"}, "--url takes an http or https address"},
        {add + QStringList{"--url", "http://radio.example/a", "--device", "1"}, "in place of any device"},
        {add + QStringList{"--source", "null.monitor", "--device", "1"}, "give one"},
        {add + QStringList{"--before", env.Path("missing.sh")}, "there is no program"},
        {add + QStringList{"--folder", env.Path("plain.txt/rec")}, "cannot be made"},
        // 48000 Hz, 16 bits, stereo: 192,000 bytes a second reach 2 GB after 2 h 53 min.
        {{"add", "Long", "--days", "mon", "--start", "08:00", "--for", "03:00:00", "--rate", "48000"},
         ScheduleChecks::WaveSizeQuestion()},
        {{"edit", "Evening", "--start", "08:00"}, "there is no schedule named \"Evening\""},
        {{"edit", "#2", "--start", "08:00"}, "there is no schedule #2"},
        {{"edit", "Morning", "--rename", "Morning2", "--days", "fri,xyz"}, "--days takes"},
        {{"postpone", "Morning"}, "needs --start-delay or --end-delay"},
        {{"frobnicate"}, "schedule has no command \"frobnicate\""},
    };
    for (const auto &c : cases) {
        const CliResult r = Run(c.args);
        EXPECT_EQ(r.code, 2) << c.args.join(' ').toStdString();
        EXPECT_TRUE(r.err.contains(c.message)) << c.args.join(' ').toStdString() << "\n" << r.err.toStdString();
        EXPECT_EQ(File(), saved) << c.args.join(' ').toStdString();
    }
    EXPECT_EQ(QDir(env.dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
              (QStringList{"plain.txt", "schedule.xml"}));

    // With --yes the long recording is kept, to be split at 2 GB.
    EXPECT_EQ(Run({"add", "Long", "--days", "mon", "--start", "08:00", "--for", "03:00:00", "--rate", "48000", "--yes"}).code, 0);
}

// While the window runs the timetable a change is refused: the window would save its own
// schedules over it.
TEST_F(CliSchedule, RefusedWhileTheWindowHoldsTheFolder)
{
    QProcessEnvironment windowEnv = QProcessEnvironment::systemEnvironment();
    windowEnv.insert("QT_QPA_PLATFORM", "offscreen");
    auto window = StartProgram(QStringLiteral(TOLVANE_WINDOW), env.dir.path(), {}, windowEnv);
    ASSERT_TRUE(Appears(env.Path("tolvane.lock"), 20000));
    const CliResult r = Run({"add", "Morning", "--days", "mon", "--start", "07:00", "--end", "07:15"});
    window->kill();
    window->waitForFinished(10000);
    EXPECT_EQ(r.code, 3);
    EXPECT_TRUE(r.err.contains("the window (tolvane, process")) << r.err.toStdString();
    EXPECT_FALSE(QFile::exists(env.Path("schedule.xml")));
}

// With tolvane-cli run holding the folder, an added schedule is saved and the recorder, told
// at once, records it.
TEST_F(CliSchedule, RunningRecorderRecordsAnAddedSchedule)
{
    auto run = StartOnSource(QStringLiteral(TOLVANE_CLI), env.dir.path(), {"run"}, "generated:tone=440@-6;pace=realtime");
    QByteArray out;
    ASSERT_TRUE(WaitForOutput(*run, "(0 schedules)", out)) << out.toStdString();

    const QDateTime start = QDateTime::currentDateTime().addSecs(3);
    const CliResult r = Run({"add", "Soon", "--days", "all", "--start", start.toString("hh:mm:ss"), "--for", "00:00:02",
                             "--folder", env.Path("rec")});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("the recorder that runs the timetable (process %1) reads the change")
                                   .arg(run->processId())))
        << r.out.toStdString();
    EXPECT_TRUE(WaitForOutput(*run, "schedule.xml read again: 1 schedules", out)) << out.toStdString();
    EXPECT_TRUE(WaitForOutput(*run, "finished " + env.Path("rec/Soon_").toUtf8(), out, false, 30000)) << out.toStdString();
    run->terminate();  // SIGTERM, and only while it runs
    ASSERT_TRUE(run->waitForFinished(30000));
    EXPECT_EQ(run->exitCode(), 0);
}

// A recorder that starts while a change of the schedules holds the folder waits for the change
// instead of giving up with status 3, after which its service would not be started again.
TEST_F(CliSchedule, RecorderWaitsForAChangeInProgress)
{
    // What a change holds: its own lock, and the folder's.
    auto changing = std::make_unique<QLockFile>(env.Path("schedule.lock"));
    ASSERT_TRUE(changing->tryLock(0));
    auto change = std::make_unique<InstanceLock>(env.dir.path());
    ASSERT_TRUE(change->TryAcquireAtOnce());
    auto run = StartProgram(QStringLiteral(TOLVANE_CLI), env.dir.path(), {"run"});
    QThread::msleep(1500);
    EXPECT_EQ(run->state(), QProcess::Running);
    change.reset();
    changing.reset();
    QByteArray out;
    EXPECT_TRUE(WaitForOutput(*run, "runs the timetable", out)) << out.toStdString() << run->readAllStandardError().toStdString();
    run->terminate();  // SIGTERM, and only while it runs
    ASSERT_TRUE(run->waitForFinished(30000));
    EXPECT_EQ(run->exitCode(), 0);
}
