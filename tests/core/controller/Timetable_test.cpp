// The timetable on a simulated clock: monitoring, on-time starts, ends, delays, before-programs,
// Windows Media preparation and the clock setting.

#include "tests/core/controller/ControllerFixture.h"

using namespace tolvane;
using namespace tolvane::test;

// Monitoring opens 20 s ahead; a second ahead the monitoring stops and the capture is prepared
// (the device opened), and it starts on its second with that preparation.
TEST_F(ControllerFixture, MonitorAheadThenStartOnTheSecond)
{
    auto s = AddSchedule("News", "07:00:00", "07:00:30");
    s->setSavePath("");
    RunUntil(QTime(6, 59, 39, 900));
    EXPECT_EQ(c.Status(), tolvane::Status::Idle);
    RunUntil(QTime(6, 59, 40));
    EXPECT_EQ(c.Status(), tolvane::Status::Monitor);
    ASSERT_EQ(env.capture->pipelines.size(), 1u);
    EXPECT_TRUE(env.capture->Last().monitoring);
    RunUntil(QTime(6, 59, 58, 900));
    EXPECT_EQ(c.Status(), tolvane::Status::Monitor);
    RunUntil(QTime(6, 59, 59));
    EXPECT_EQ(c.Status(), tolvane::Status::Idle);
    EXPECT_FALSE(env.capture->pipelines[0]->monitoring);
    ASSERT_EQ(env.capture->pipelines.size(), 2u);
    FakePipeline &rec = env.capture->Last();
    EXPECT_EQ(rec.setParameterCalls, 1);
    EXPECT_FALSE(rec.started);
    RunUntil(QTime(6, 59, 59, 900));
    EXPECT_FALSE(rec.started);
    RunUntil(QTime(7, 0, 0));
    EXPECT_EQ(c.Status(), tolvane::Status::PresetWave);
    EXPECT_EQ(env.capture->pipelines.size(), 2u);  // no second preparation
    EXPECT_TRUE(rec.started);
    EXPECT_EQ(rec.setting.FilePath, c.DefaultSavePath());  // an empty save folder means the default one
    EXPECT_EQ(rec.setting.FileName, "News_20240304070000");  // named for its start
    EXPECT_EQ(c.mlRecAllTime, 30);
    EXPECT_EQ(statuses, (std::vector<tolvane::Status>{tolvane::Status::Idle, tolvane::Status::Monitor,
                                                       tolvane::Status::Idle, tolvane::Status::PresetWave}));
    EXPECT_EQ(c.CapturingSchedule()->Name(), "News");
    EXPECT_NE(c.CapturingSchedule(), s);  // the capture works on its own copy
}

// A late tick still starts the recording within its two-second window.
TEST_F(ControllerFixture, LateTickStartsOnTheNextSecond)
{
    AddSchedule("News", "07:00:00", "07:00:30");
    TickAt(QTime(6, 59, 59, 500));
    TickAt(QTime(7, 0, 1, 700));
    EXPECT_EQ(c.Status(), tolvane::Status::PresetWave);
    EXPECT_EQ(c.CaptureEndTime(), Seconds(7 * 3600 + 30));
}

// A schedule due while another records is not started then, nor later.
TEST_F(ControllerFixture, DueDuringAnotherRecordingNeverStarts)
{
    AddSchedule("Long", "07:00:00", "08:00:00");
    AddSchedule("Short", "07:30:00", "07:40:00");
    c.gSelectEndTimeChecker = EndTimeChecker::PCTime;
    RunUntil(QTime(7, 0, 0));
    const size_t pipelines = env.capture->pipelines.size();
    RunUntil(QTime(7, 45, 0));
    EXPECT_EQ(c.Status(), tolvane::Status::PresetWave);
    EXPECT_EQ(env.capture->pipelines.size(), pipelines);
    EXPECT_EQ(c.CapturingSchedule()->Name(), "Long");
}

// One-shot delays move this occurrence and are used up by it.
TEST_F(ControllerFixture, DelaysMoveOneOccurrenceAndAreUsedUp)
{
    auto s = AddSchedule("Delayed", "07:00:00", "08:00:00");
    s->setStartTimeDelay(Seconds(300));
    s->setEndTimeDelay(Seconds(600));
    RunUntil(QTime(7, 4, 58, 900));
    EXPECT_EQ(c.Status(), tolvane::Status::Monitor);
    RunUntil(QTime(7, 5, 0));
    EXPECT_EQ(c.Status(), tolvane::Status::PresetWave);
    EXPECT_EQ(c.CaptureEndTime(), Seconds(8 * 3600 + 10 * 60));
    EXPECT_EQ(c.mlRecAllTime, 65 * 60);
    EXPECT_EQ(s->StartTimeDelay(), Seconds(0));
    EXPECT_EQ(s->EndTimeDelay(), Seconds(0));
    EXPECT_EQ(c.CapturingSchedule()->StartTime(), "07:05:00");
    EXPECT_EQ(c.CapturingSchedule()->EndTime(), "08:10:00");
}

// Equal start and end mean a 24-hour recording.
TEST_F(ControllerFixture, EqualStartAndEndRecordADay)
{
    AddSchedule("Day", "07:00:00", "07:00:00");
    RunUntil(QTime(7, 0, 0));
    EXPECT_EQ(c.mlRecAllTime, 86400);
}

// With the PC clock as judge, the recording ends on its end second.
TEST_F(ControllerFixture, PcClockEndsTheRecording)
{
    c.gSelectEndTimeChecker = EndTimeChecker::PCTime;
    AddSchedule("News", "07:00:00", "07:00:30");
    RunUntil(QTime(7, 0, 29, 900));
    EXPECT_EQ(c.Status(), tolvane::Status::PresetWave);
    RunUntil(QTime(7, 0, 30));
    EXPECT_EQ(c.Status(), tolvane::Status::Idle);
    EXPECT_EQ(env.capture->Last().stopCalls, 1);
}

// A Windows Media recording is prepared 5 s ahead, once, and started on its second.
TEST_F(ControllerFixture, WindowsMediaPreparedOnceAhead)
{
    AddSchedule("WM", "07:00:00", "07:00:30", FormatType::windowsmedia);
    auto &wm = *env.capture->windowsMedia;
    RunUntil(QTime(6, 59, 54, 900));
    EXPECT_EQ(wm.setParameterCalls, 0);
    RunUntil(QTime(6, 59, 55));
    EXPECT_EQ(wm.setParameterCalls, 1);
    EXPECT_TRUE(c.gbParameterSetted);
    EXPECT_EQ(wm.setting.FileName, "WM_20240304070000");  // named for the start, five seconds on
    EXPECT_EQ(c.Status(), tolvane::Status::Idle);          // the preparation ended the monitoring
    RunUntil(QTime(7, 0, 0));
    EXPECT_EQ(c.Status(), tolvane::Status::PresetWM);
    EXPECT_EQ(wm.setParameterCalls, 1);
    EXPECT_EQ(wm.startCalls, 1);
    EXPECT_FALSE(c.gbParameterSetted);
    RunUntil(QTime(7, 0, 30));
    EXPECT_EQ(wm.stopCalls, 1);
    EXPECT_EQ(c.Status(), tolvane::Status::Idle);
}

// A Windows Media preparation that was not used never makes another schedule record it.
TEST_F(ControllerFixture, StalePreparationIsNotStartedForAnotherSchedule)
{
    c.gSelectEndTimeChecker = EndTimeChecker::PCTime;
    AddSchedule("Wave", "06:59:00", "07:00:10");
    AddSchedule("WM", "07:00:00", "07:30:00", FormatType::windowsmedia);
    AddSchedule("Later", "07:01:00", "07:02:00");
    RunUntil(QTime(7, 1, 0));
    EXPECT_EQ(env.capture->windowsMedia->startCalls, 0);
    EXPECT_EQ(c.Status(), tolvane::Status::PresetWave);
    EXPECT_EQ(c.CapturingSchedule()->Name(), "Later");
}

// A before-program is queued once, its lead time ahead, with a limit of start plus 10 s.
TEST_F(ControllerFixture, BeforeProgramQueuedOnceWithItsLimit)
{
    const QString prog = MakeFile("before.sh");
    c.gSelectEndTimeChecker = EndTimeChecker::PCTime;
    env.clock->Set(At(6, 57, 59));
    AddSchedule("Busy", "06:58:00", "07:10:00");  // keeps the queue from running at once
    auto s = AddSchedule("Next", "07:00:00", "07:05:00");
    s->setBeforeExecute(true);
    s->setBeforeExecuteSeconds(60);
    s->setBeforeExecutePath(prog);
    RunUntil(QTime(6, 58, 59, 900));
    EXPECT_EQ(c.ExecuteList().Count(), 0);
    RunUntil(QTime(6, 59, 1, 500));
    ASSERT_EQ(c.ExecuteList().Count(), 1);
    EXPECT_EQ(c.ExecuteList().Item(0)->Path(), prog);
    EXPECT_EQ(c.ExecuteList().Item(0)->LimitExecuteTime(), Seconds(7 * 3600 + 10));
    EXPECT_TRUE(s->BeforeExecuted());
}

// While idle, a due before-program starts at once; the next occurrence queues it again.
TEST_F(ControllerFixture, BeforeProgramStartsWhileIdleAndRearmsAtTheStart)
{
    const QString prog = MakeFile("before.sh");
    auto s = AddSchedule("Next", "07:00:00", "07:00:30");
    s->setBeforeExecute(true);
    s->setBeforeExecuteSeconds(60);
    s->setBeforeExecutePath(prog);
    RunUntil(QTime(6, 59, 30));
    EXPECT_EQ(env.shell->started, std::vector<QString>{prog});
    RunUntil(QTime(7, 0, 0));
    EXPECT_FALSE(s->BeforeExecuted());
    EXPECT_EQ(env.shell->started.size(), 1u);  // the start does not run it a second time
}

// The clock is set during the preset second, once, and only with the master switch on.
TEST_F(ControllerFixture, PresetClockSettingRunsOnceInItsSecond)
{
    c.gSetTimeOnPresetTime = true;
    c.gSetTimeTime = "03:00:00";
    c.gSetTimeServer = "127.0.0.1";
    env.clock->Set(At(2, 59, 59));
    RunUntil(QTime(3, 0, 1));
    EXPECT_EQ(SntpRequests(), 0);
    c.gSetTime = true;
    env.clock->Set(At(2, 59, 59));
    RunUntil(QTime(3, 0, 1));
    EXPECT_EQ(SntpRequests(), 1);
}

// A schedule whose start does not read as a time is reported once and hides nobody.
TEST_F(ControllerFixture, MalformedStartTimeReportedOnceByTheTick)
{
    AddSchedule("Broken", "seven", "08:00:00");
    AddSchedule("Good", "07:00:00", "07:00:30");
    RunUntil(QTime(7, 0, 0));
    EXPECT_EQ(c.Status(), tolvane::Status::PresetWave);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].Number(), ErrNo::TypeMismatch);
    EXPECT_TRUE(errors[0].Description().contains("Broken"));
}

// A recording that is over within its own start window (a short one, or one whose sound came
// in a burst) is not started a second time for the same occurrence.
TEST_F(ControllerFixture, ShortRecordingIsNotStartedTwice)
{
    AddSchedule("Blip", "07:00:00", "07:00:01");
    RunUntil(QTime(7, 0, 0));
    ASSERT_EQ(c.Status(), tolvane::Status::PresetWave);
    env.capture->Last().Deliver16(std::vector<qint16>(88200, 100));  // the whole second at once
    const size_t pipelines = env.capture->pipelines.size();
    RunUntil(QTime(7, 0, 2));
    EXPECT_EQ(c.Status(), tolvane::Status::Idle);
    EXPECT_EQ(env.capture->pipelines.size(), pipelines);
}
