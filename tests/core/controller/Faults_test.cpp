// Faults of an unattended month, on the simulated clock: each ends in a defined state with one
// report, and the recording after it is made as if nothing had happened.

#include "tests/core/controller/ControllerFixture.h"

#include <QDir>

#include <algorithm>

using namespace tolvane;
using tolvane::test::ControllerFixture;
using tolvane::test::FakePipeline;

namespace {

using Faults = ControllerFixture;

// The pipeline that records (not one made for monitoring or a preparation since dropped).
FakePipeline *Recording(tolvane::test::FakeCaptureFactory &capture)
{
    for (auto it = capture.pipelines.rbegin(); it != capture.pipelines.rend(); ++it)
        if ((*it)->started)
            return it->get();
    return nullptr;
}

}  // namespace

// A device that cannot be opened at all: monitoring, the preparation a second ahead and every
// start within the two-second window fail, and it is said once per occurrence. The start was
// still tried on its second.
TEST_F(Faults, DeviceThatCannotBeOpenedIsReportedOncePerOccurrence)
{
    AddSchedule("News", "07:00:00", "07:00:30");
    AddSchedule("Later", "07:01:00", "07:01:30");
    env.capture->nextFailure = FakePipeline::FailAt::Device;
    RunUntil(QTime(7, 0, 3));
    EXPECT_EQ(c.Status(), tolvane::Status::Idle);
    EXPECT_EQ(errors.size(), 1u);
    const bool triedAtItsSecond = std::any_of(env.capture->pipelines.begin(), env.capture->pipelines.end(),
                                              [](const auto &p) { return p->setParameterCalls > 0; });
    EXPECT_TRUE(triedAtItsSecond);
    RunUntil(QTime(7, 1, 3));
    EXPECT_EQ(errors.size(), 2u);
}

// A start that fails once (the device busy for a moment) is tried again within its window, and
// the recording then opens with the sound of its second.
TEST_F(Faults, FailedStartIsTriedAgainOnItsSecond)
{
    AddSchedule("News", "07:00:00", "07:00:30");
    RunUntil(QTime(6, 59, 58));
    env.capture->nextFailure = FakePipeline::FailAt::Start;
    env.capture->failures = 1;
    RunUntil(QTime(7, 0, 1));
    ASSERT_EQ(c.Status(), tolvane::Status::PresetWave);
    EXPECT_EQ(errors.size(), 1u);
    ASSERT_NE(Recording(*env.capture), nullptr);
    EXPECT_EQ(Recording(*env.capture)->startedFrom, At(7, 0, 0));
}

// Monitoring asked for in the second before a start does not take the place of the prepared
// recording: its blocks are counted, shown and cut to length.
TEST_F(Faults, MonitorClickJustBeforeTheStart)
{
    AddSchedule("News", "07:00:00", "07:00:01");
    RunUntil(QTime(6, 59, 59, 500));
    c.StartMonitor();
    RunUntil(QTime(7, 0, 0));
    ASSERT_EQ(c.Status(), tolvane::Status::PresetWave);
    FakePipeline *p = Recording(*env.capture);
    ASSERT_NE(p, nullptr);
    const int shown = levelEvents;
    p->Deliver16(std::vector<qint16>(44100, 1));
    p->Deliver16(std::vector<qint16>(88200, 1));
    EXPECT_GT(levelEvents, shown);
    EXPECT_EQ(p->written16, 88200);  // one second of stereo: the rest is cut
    TickAt(QTime(7, 0, 1, 100));
    EXPECT_EQ(c.Status(), tolvane::Status::Idle);
}

// A Windows Media recording prepared while another one ran, and so never started, is let go
// once its moment has passed: the next recording is monitored and prepared as usual.
TEST_F(Faults, UnusedPreparationIsLetGo)
{
    c.gSelectEndTimeChecker = EndTimeChecker::PCTime;
    AddSchedule("Long", "07:00:00", "07:00:30");
    AddSchedule("Media", "07:00:10", "07:00:20", FormatType::windowsmedia);
    AddSchedule("Next", "07:02:00", "07:02:30");
    RunUntil(QTime(7, 0, 31));
    EXPECT_EQ(env.capture->windowsMedia->startCalls, 0);
    EXPECT_EQ(env.capture->windowsMedia->dropCalls, 1);
    EXPECT_FALSE(c.gbParameterSetted);
    RunUntil(QTime(7, 1, 40, 100));
    EXPECT_EQ(c.Status(), tolvane::Status::Monitor);
    RunUntil(QTime(7, 2, 0));
    EXPECT_EQ(c.Status(), tolvane::Status::PresetWave);
    EXPECT_EQ(c.CapturingSchedule()->Name(), "Next");
}

// The power-off a recording deferred until its encode is forgotten when that encode cannot
// start; a later, unrelated encode does not power the machine off.
TEST_F(Faults, DeferredPowerOffGoesWithAFailedEncode)
{
    c.gSelectEndTimeChecker = EndTimeChecker::PCTime;
    auto first = AddSchedule("First", "07:00:00", "07:00:30", FormatType::MP3);
    first->setExitWindows(true);
    AddSchedule("Second", "07:01:00", "07:01:30", FormatType::MP3);
    env.encoders->failNext = 1;
    RunUntil(QTime(7, 0, 31));
    EXPECT_EQ(errors.size(), 1u);
    EXPECT_FALSE(c.WaitForGOGO());
    RunUntil(QTime(7, 1, 31));
    ASSERT_TRUE(c.WaitForGOGO());
    env.encoders->created.back()->Finish();
    EXPECT_TRUE(env.power->actions.empty());
}

// A save folder that has gone since it was set (an unmounted disk, which cannot be made again)
// gives way to the application folder, as the message says, for the schedule's own folder and
// for the default one alike.
TEST_F(Faults, GoneSaveFolderGivesWayToTheApplicationFolder)
{
    c.gSelectEndTimeChecker = EndTimeChecker::PCTime;
    ASSERT_TRUE(QDir().mkpath(env.Path("usb/rec")) && QDir().mkpath(env.Path("net/rec")));
    auto own = AddSchedule("Own", "07:00:00", "07:00:10");
    own->setSavePath(env.Path("usb/rec"));
    c.setDefaultSavePath(env.Path("net/rec"));
    AddSchedule("Default", "07:01:00", "07:01:10")->setSavePath({});
    ASSERT_TRUE(QDir(env.Path("usb")).removeRecursively() && QDir(env.Path("net")).removeRecursively());

    RunUntil(QTime(7, 0, 1));
    ASSERT_NE(Recording(*env.capture), nullptr);
    EXPECT_EQ(Recording(*env.capture)->setting.FilePath, env.dir.path());
    RunUntil(QTime(7, 1, 1));
    EXPECT_EQ(Recording(*env.capture)->setting.Schedule->Name(), "Default");
    EXPECT_EQ(Recording(*env.capture)->setting.FilePath, env.dir.path());
    EXPECT_EQ(env.notifier->messages.size(), 2u);
    EXPECT_EQ(own->SavePath(), env.Path("usb/rec"));  // the stored schedule keeps its folder
    EXPECT_EQ(c.DefaultSavePath(), env.Path("net/rec"));
}

// An end by the PC clock needs no tick in its very second: after a suspend through the end the
// first tick ends the recording, and a user's end time that has already passed ends it too.
TEST_F(Faults, EndByTheClockWithoutATickInItsSecond)
{
    c.gSelectEndTimeChecker = EndTimeChecker::PCTime;
    AddSchedule("News", "07:00:00", "07:00:30");
    RunUntil(QTime(7, 0, 10));
    ASSERT_EQ(c.Status(), tolvane::Status::PresetWave);
    TickAt(QTime(7, 5, 0));  // the machine slept from 07:00:10
    EXPECT_EQ(c.Status(), tolvane::Status::Idle);

    c.StartOnTimeCapture(c.CreateNewSchedule());
    c.setCaptureEndTime(Seconds(7 * 3600 + 5 * 60 + 2));
    RunUntil(QTime(7, 5, 1));
    EXPECT_EQ(c.Status(), tolvane::Status::ManualEndSetWave);
    TickAt(QTime(7, 5, 3));  // the tick of 07:05:02 never came
    EXPECT_EQ(c.Status(), tolvane::Status::Idle);
}

// A buffer length longer than a capture takes is kept as given (and said), and recordings use
// an hour of ring.
TEST_F(Faults, LongBufferLengthIsUsedAsAnHour)
{
    QStringList warnings;
    QObject::connect(&c, &ClsController::OnWarning, [&](const QString &w) { warnings << w; });
    c.setBufferLength(5000);
    EXPECT_EQ(c.BufferLength(), 5000);
    EXPECT_EQ(warnings.size(), 1);
    AddSchedule("News", "07:00:00", "07:00:10");
    RunUntil(QTime(7, 0, 1));
    ASSERT_NE(Recording(*env.capture), nullptr);
    EXPECT_EQ(Recording(*env.capture)->setting.BufferLength, 3600);
    EXPECT_TRUE(errors.empty());
}

// A Windows Media recording whose file cannot be written tells the controller so: the recording
// stops (Idle at the next tick) with one report, and the next schedule records.
TEST_F(Faults, WindowsMediaWriteFailureStopsTheRecording)
{
    AddSchedule("Media", "07:00:00", "08:00:00", FormatType::windowsmedia);
    AddSchedule("Next", "07:01:00", "07:01:30");
    RunUntil(QTime(7, 0, 1));
    ASSERT_EQ(c.Status(), tolvane::Status::PresetWM);
    emit env.capture->windowsMedia->WriteError(NumberedError(ErrNo::DiskFull, "disk full"));
    TickAt(QTime(7, 0, 1, 100));
    EXPECT_EQ(c.Status(), tolvane::Status::Idle);
    EXPECT_EQ(env.capture->windowsMedia->stopCalls, 1);
    EXPECT_EQ(errors.size(), 1u);
    RunUntil(QTime(7, 1, 0));
    EXPECT_EQ(c.Status(), tolvane::Status::PresetWave);
}

// A log that cannot be written (owned by another user, a full disk) stops no recording: the
// schedules record, and the user is told once.
TEST_F(Faults, UnwritableLogStopsNoRecording)
{
    QStringList warnings;
    QObject::connect(&c, &ClsController::OnWarning, [&](const QString &w) { warnings << w; });
    c.gSelectEndTimeChecker = EndTimeChecker::PCTime;
    ASSERT_TRUE(QDir().mkdir(env.Path("rec.log")));
    AddSchedule("News", "07:00:00", "07:00:10");
    AddSchedule("Next", "07:01:00", "07:01:10");
    RunUntil(QTime(7, 0, 1));
    EXPECT_EQ(c.Status(), tolvane::Status::PresetWave);
    RunUntil(QTime(7, 1, 1));
    EXPECT_EQ(c.Status(), tolvane::Status::PresetWave);
    EXPECT_EQ(c.CapturingSchedule()->Name(), "Next");
    EXPECT_TRUE(errors.empty());
    EXPECT_EQ(warnings.size(), 1);
}
