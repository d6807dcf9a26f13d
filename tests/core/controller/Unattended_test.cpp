// Recording with nobody at the machine, on a simulated clock in a time zone with daylight
// saving: the wake alarm, late starts, disk space, and the hours that are skipped or repeated.

#include "core/controller/ClsController.h"
#include "core/controller/DiskSpace.h"
#include "tests/support/TestServices.h"

#include <QCoreApplication>
#include <QFile>

#include <gtest/gtest.h>

#include <ctime>

using namespace tolvane;
using namespace tolvane::test;

namespace {

// Before anything reads the local time zone.
const bool kBerlin = [] {
    qputenv("TZ", "Europe/Berlin");
    tzset();
    return true;
}();

QDateTime Local(int y, int mo, int d, int h, int mi, int s = 0)
{
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s));
}

class Unattended : public ::testing::Test {
protected:
    explicit Unattended(const QDateTime &start = Local(2024, 3, 4, 12, 0)) : env(start)
    {
        EXPECT_TRUE(kBerlin);
        c = std::make_unique<ClsController>(env.services);
        QObject::connect(c.get(), &ClsController::OnStatusChanged, [this](tolvane::Status s) {
            if (s == tolvane::Status::PresetWave)
                ++starts;
        });
        QObject::connect(c.get(), &ClsController::OnWarning, [this](const QString &w) { warnings << w; });
    }

    void SetUp() override
    {
        c->Setup();
        c->gMakeLog = true;
        c->gSelectEndTimeChecker = EndTimeChecker::PCTime;
    }

    std::shared_ptr<ClsSchedule> Add(const QString &name, const QString &start, const QString &end,
                                     std::initializer_list<int> days = {0, 1, 2, 3, 4, 5, 6})
    {
        auto s = c->CreateNewSchedule();
        s->setName(name);
        s->setStartTime(start);
        s->setEndTime(end);
        for (int d : days)
            s->setStartDay(d, 1);
        c->AddSchedule2List(s);
        return s;
    }

    // Ticks every 100 ms of real (UTC) time up to `until`.
    void RunUntil(const QDateTime &until)
    {
        QDateTime now = env.clock->Now();
        while (now < until) {
            now = now.addMSecs(100);
            env.clock->Set(now);
            env.timer->Fire();
            QCoreApplication::processEvents();
        }
    }

    QString Log() const
    {
        QFile f(env.Path("rec.log"));
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }

    TestEnv env;
    std::unique_ptr<ClsController> c;
    int starts = 0;
    QStringList warnings;
};

}  // namespace

// The wake alarm is set a lead time before the next recording, across midnight and across a
// week, follows every change of the timetable and every recording, and is off by default.
TEST_F(Unattended, WakeAlarmForTheNextRecording)
{
    Add("Tuesday", "00:05:00", "00:30:00", {2});  // Monday 12:00 now
    EXPECT_FALSE(c->NextWakeTime().isValid());
    EXPECT_FALSE(env.wakeAlarm->armed);

    c->gWakeFromSuspend = true;
    c->TimetableChanged();
    EXPECT_EQ(c->NextWakeTime(), Local(2024, 3, 5, 0, 3));  // across midnight
    EXPECT_EQ(env.wakeAlarm->armed, Local(2024, 3, 5, 0, 3));

    auto weekly = Add("Sunday", "08:00:00", "09:00:00", {0});
    c->gWakeLeadSeconds = 600;
    c->DeleteSchedule("ID0");
    EXPECT_EQ(c->NextWakeTime(), Local(2024, 3, 10, 7, 50));  // six days ahead

    // After the recording, the alarm moves on to the following week.
    env.clock->Set(Local(2024, 3, 10, 7, 59, 50));
    RunUntil(Local(2024, 3, 10, 9, 0, 1));
    EXPECT_EQ(starts, 1);
    EXPECT_EQ(c->NextWakeTime(), Local(2024, 3, 17, 7, 50));
    EXPECT_TRUE(Log().contains("WakeAlarmSetted") || Log().contains("WakeAlarm "));

    c->gWakeFromSuspend = false;
    c->TimetableChanged();
    EXPECT_FALSE(c->NextWakeTime().isValid());
    EXPECT_FALSE(env.wakeAlarm->armed);
}

namespace {
class LateStart : public Unattended {
protected:
    LateStart() : Unattended(Local(2024, 3, 4, 7, 30)) {}
    void SetUp() override {}
};
}  // namespace

// Coming up inside a schedule's time starts it late when asked, marked in its name and the log,
// recording only until its end; without the option nothing starts.
TEST_F(LateStart, StartsLateOnlyWhenAsked)
{
    Add("News", "07:00:00", "08:00:00");
    c->gStartMissedRecordings = true;
    c->Setup();
    c->gMakeLog = true;
    c->gSelectEndTimeChecker = EndTimeChecker::PCTime;
    RunUntil(Local(2024, 3, 4, 7, 30, 1));
    ASSERT_EQ(c->Status(), tolvane::Status::PresetWave);
    EXPECT_EQ(c->CapturingSchedule()->FileName(), "\\N_\\Y\\M\\D\\h\\m\\s_late");
    EXPECT_EQ(c->mlRecAllTime, 30 * 60);
    EXPECT_EQ(c->CaptureEndTime(), Seconds(8 * 3600));
    EXPECT_TRUE(Log().contains("StartedLate"));
    RunUntil(Local(2024, 3, 4, 8, 0, 1));
    EXPECT_EQ(c->Status(), tolvane::Status::Idle);
    EXPECT_EQ(starts, 1);  // and never again for the same occurrence
}

TEST_F(LateStart, NothingWithoutTheOption)
{
    Add("News", "07:00:00", "08:00:00");
    c->Setup();
    RunUntil(Local(2024, 3, 4, 7, 40));
    EXPECT_EQ(c->Status(), tolvane::Status::Idle);
    EXPECT_EQ(starts, 0);
}

// After the machine slept through a start, the next tick starts the recording late.
TEST_F(Unattended, AfterSleepingThroughTheStart)
{
    c->gStartMissedRecordings = true;
    Add("Noon", "12:10:00", "13:00:00");
    RunUntil(Local(2024, 3, 4, 12, 5));
    env.clock->Set(Local(2024, 3, 4, 12, 20));  // asleep for fifteen minutes
    env.timer->Fire();
    EXPECT_EQ(c->Status(), tolvane::Status::PresetWave);
    EXPECT_EQ(c->mlRecAllTime, 40 * 60);
}

// The coming week's recordings against the free space: warned once, per folder.
TEST_F(Unattended, WeekDiskSpaceWarning)
{
    env.freeBytes = 4'500'000'000;
    Add("Hour", "07:00:00", "08:00:00");  // 16-bit stereo 44.1 kHz: 635 MB a day, 4.45 GB a week
    EXPECT_EQ(warnings.size(), 0);
    Add("Evening", "19:00:00", "19:20:00", {5});  // 212 MB more
    ASSERT_EQ(warnings.size(), 1);
    EXPECT_TRUE(warnings[0].contains(c->DefaultSavePath()));
    Add("More", "20:00:00", "20:05:00", {5});
    EXPECT_EQ(warnings.size(), 1);  // still short: said once
    EXPECT_TRUE(Log().contains("DiskSpace"));
}

// Bytes per recording for WAVE, MP3 after and during the recording, split files, and the folders.
TEST(DiskSpace, EstimatesByFormat)
{
    TestEnv env;
    const auto make = [&](FormatType f) {
        auto s = std::make_shared<ClsSchedule>(env.services);
        s->setRecordingFormat(f);
        s->setSavePath("");
        return s;
    };
    const DiskSpace space("/rec", true, [](const QString &folder) { return folder == "/rec" ? 1'000'000'000 : 0; });
    auto wave = make(FormatType::wave);
    EXPECT_EQ(space.Bytes(*wave, 3600), 635'040'000 + 44);
    wave->WaveSetting()->setSplitByTime(true);
    wave->WaveSetting()->setSplitTime(Seconds(600));
    EXPECT_EQ(space.Bytes(*wave, 3600), 635'040'000 + 44 * 7);  // six parts and a last header

    auto mp3 = make(FormatType::MP3);
    qint64 temporary = 0;
    EXPECT_EQ(space.Bytes(*mp3, 3600, &temporary), 635'040'044 + 128000 / 8 * 3600);  // WAVE kept beside the MP3
    mp3->MP3()->setMP3DeleteWavFile(true);
    EXPECT_EQ(space.Bytes(*mp3, 3600, &temporary), 128000 / 8 * 3600);
    EXPECT_EQ(temporary, 635'040'044);
    mp3->WaveSetting()->setChannel(Channel::mono);
    EXPECT_EQ(space.Bytes(*mp3, 3600), 64000 / 8 * 3600);  // mono halves the rate
    auto live = make(FormatType::MP3);
    live->MP3()->setMP3RealTime(true);
    live->MP3()->setMP3VBR(true);
    EXPECT_EQ(space.Bytes(*live, 100), 320000 / 8 * 100);  // unlimited VBR: the highest rate

    auto other = make(FormatType::wave);
    other->setSavePath(env.Path("elsewhere"));
    const auto folders = space.Estimate({{wave, Local(2024, 3, 4, 7, 0), Local(2024, 3, 4, 8, 0)},
                                         {mp3, Local(2024, 3, 4, 9, 0), Local(2024, 3, 4, 10, 0)},
                                         {mp3, Local(2024, 3, 5, 9, 0), Local(2024, 3, 5, 10, 0)},
                                         {other, Local(2024, 3, 4, 11, 0), Local(2024, 3, 4, 11, 1)}});
    ASSERT_EQ(folders.size(), 2u);
    const FolderSpace &rec = folders[0].folder == "/rec" ? folders[0] : folders[1];
    EXPECT_EQ(rec.recordings, 3);
    // The WAVE file, two MP3 files, and one waiting WAVE file at a time.
    EXPECT_EQ(rec.needed, 635'040'000 + 44 * 7 + 2 * (64000 / 8 * 3600) + 317'520'044);
    EXPECT_TRUE(rec.Short());
}

namespace {
class SpringForward : public Unattended {
protected:
    SpringForward() : Unattended(Local(2024, 3, 31, 1, 59, 50)) {}
};
class FallBack : public Unattended {
protected:
    // 02:29:50 summer time, said in UTC: the local time alone is ambiguous that night.
    FallBack() : Unattended(QDateTime(QDate(2024, 10, 27), QTime(0, 29, 50), Qt::UTC).toLocalTime()) {}
};
}  // namespace

// 02:30 does not exist on the last Sunday of March: the recording starts once, when the clock
// jumps to 03:00, and ends on time.
TEST_F(SpringForward, StartInTheSkippedHourStartsOnceAtItsEnd)
{
    Add("Night", "02:30:00", "03:30:00", {0});
    Add("After", "03:40:00", "03:45:00", {0});
    RunUntil(Local(2024, 3, 31, 3, 0, 1));
    EXPECT_EQ(c->Status(), tolvane::Status::PresetWave);
    EXPECT_EQ(c->CapturingSchedule()->Name(), "Night");
    RunUntil(Local(2024, 3, 31, 3, 30, 1));
    EXPECT_EQ(c->Status(), tolvane::Status::Idle);
    RunUntil(Local(2024, 3, 31, 3, 45, 1));
    EXPECT_EQ(starts, 2);  // the night, then the one after, each once
}

// 02:30 comes twice on the last Sunday of October: the recording starts the first time only.
TEST_F(FallBack, StartInTheRepeatedHourStartsOnce)
{
    Add("Night", "02:30:00", "02:45:00", {0});
    const QDateTime first = env.clock->Now();
    ASSERT_EQ(first.offsetFromUtc(), 7200);  // summer time
    RunUntil(first.addSecs(20 * 60));        // 02:50 summer time
    EXPECT_EQ(starts, 1);
    EXPECT_EQ(c->Status(), tolvane::Status::Idle);
    RunUntil(first.addSecs(80 * 60));  // 02:50 winter time, the hour once more
    EXPECT_EQ(starts, 1);
    EXPECT_EQ(env.clock->Now().offsetFromUtc(), 3600);
}

// An end by the clock in the hour the clock skips (02:45 does not exist that night) comes with
// the first tick after the jump, not a day later.
TEST_F(SpringForward, EndInTheSkippedHourEndsAtTheJump)
{
    c->gSelectEndTimeChecker = EndTimeChecker::PCTime;
    Add("Night", "01:59:55", "02:45:00", {0});
    RunUntil(Local(2024, 3, 31, 1, 59, 59));
    ASSERT_EQ(c->Status(), tolvane::Status::PresetWave);
    RunUntil(Local(2024, 3, 31, 3, 0, 1));
    EXPECT_EQ(c->Status(), tolvane::Status::Idle);
}
