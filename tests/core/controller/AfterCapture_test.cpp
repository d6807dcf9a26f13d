// After a recording: the after-program, the MP3 encode queue, and hibernation, power-off and
// quitting, at once or after the encodes and the last file.

#include "tests/core/controller/ControllerFixture.h"

using namespace tolvane;
using namespace tolvane::test;

namespace {

class AfterCaptureTest : public ControllerFixture {
protected:
    AfterCaptureTest() { c.gSelectEndTimeChecker = EndTimeChecker::PCTime; }

    std::shared_ptr<ClsSchedule> Mp3Schedule(const QString &name, const QString &start, const QString &end)
    {
        auto s = AddSchedule(name, start, end, FormatType::MP3);
        auto tag = s->MP3()->ID3Tag();
        tag.Title = "\\N \\Y";
        s->MP3()->setID3Tag(tag);
        s->MP3()->setMakeID3Tag(true);
        return s;
    }
    FakeEncoder &Encoder() { return *env.encoders->created.back(); }
};

}  // namespace

// The after-program starts when the recording stops, whatever its time limit.
TEST_F(AfterCaptureTest, AfterProgramStartsAtTheStop)
{
    const QString prog = MakeFile("after.sh");
    auto s = AddSchedule("News", "07:00:00", "07:00:30");
    s->setAfterExecute(true);
    s->setAfterExecutePath(prog);
    RunUntil(QTime(7, 0, 29, 900));
    EXPECT_TRUE(env.shell->started.empty());
    RunUntil(QTime(7, 0, 30));
    EXPECT_EQ(env.shell->started, std::vector<QString>{prog});
}

// A refused after-program is reported once and dropped; the recording still ends normally.
TEST_F(AfterCaptureTest, RefusedAfterProgramIsReportedOnce)
{
    const QString prog = MakeFile("after.sh");
    env.shell->refusedPath = prog;
    auto s = AddSchedule("News", "07:00:00", "07:00:30");
    s->setAfterExecute(true);
    s->setAfterExecutePath(prog);
    RunUntil(QTime(7, 0, 30));
    EXPECT_EQ(c.Status(), tolvane::Status::Idle);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].Description(), "External Execute Failed");
    EXPECT_EQ(c.ExecuteList().Count(), 0);
    RunUntil(QTime(7, 1, 0));  // ten ticks a second run the queue: nothing is tried again
    EXPECT_EQ(errors.size(), 1u);
    EXPECT_EQ(env.shell->started, std::vector<QString>{prog});
}

// A finished MP3 recording is encoded with the schedule's settings and expanded tag texts.
TEST_F(AfterCaptureTest, FinishedFileIsEncodedWithTheSchedulesSettings)
{
    auto s = Mp3Schedule("Talk", "07:00:00", "07:00:30");
    s->WaveSetting()->setFrequency(Frequency::Ex32000Hz);
    s->WaveSetting()->setChannel(Channel::mono);
    s->MP3()->setMP3VBR(true);
    RunUntil(QTime(7, 0, 30));
    ASSERT_EQ(env.encoders->created.size(), 2u);  // the probe at set-up, then the job's server
    FakeEncoder &e = Encoder();
    EXPECT_EQ(e.files, QStringList{"/rec/part.wav"});
    EXPECT_EQ(e.freq, 32000);
    EXPECT_EQ(e.channel, 0);
    EXPECT_TRUE(e.settings.MP3VBR);
    EXPECT_TRUE(e.settings.MakeID3Tag);
    EXPECT_EQ(e.settings.TagTitle, "Talk 2024");
    EXPECT_TRUE(c.WaitForGOGO());
    e.Finish();
    EXPECT_FALSE(c.WaitForGOGO());
    const QStringList log = LogLines();
    EXPECT_EQ(log.filter(QRegularExpression("^Wave to MP3 Encode .*Started$")).size(), 1);
    EXPECT_EQ(log.filter(QRegularExpression("^Wave to MP3 Encode .*Successed$")).size(), 1);
}

// Files that arrive during an encode wait, and are encoded in arrival order, one at a time.
TEST_F(AfterCaptureTest, QueueEncodesInArrivalOrderOneAtATime)
{
    Mp3Schedule("First", "07:00:00", "07:00:30");
    RunUntil(QTime(7, 0, 0));
    env.capture->Last().files = {"/rec/a1.wav", "/rec/a2.wav", "/rec/a3.wav"};  // a split recording
    RunUntil(QTime(7, 0, 30));
    FakeEncoder &e = Encoder();
    EXPECT_EQ(e.files, QStringList{"/rec/a1.wav"});
    EXPECT_EQ(e.encodes, 1);
    e.Finish();
    EXPECT_EQ(e.files, (QStringList{"/rec/a1.wav", "/rec/a2.wav"}));
    e.Finish();
    e.Finish();
    EXPECT_EQ(e.files, (QStringList{"/rec/a1.wav", "/rec/a2.wav", "/rec/a3.wav"}));
    EXPECT_FALSE(c.WaitForGOGO());
}

// Hibernation waits for the last queued encode; a later recording without it does not hibernate.
TEST_F(AfterCaptureTest, DeferredHibernateAfterTheLastEncodeOnly)
{
    auto s = Mp3Schedule("Night", "07:00:00", "07:00:30");
    s->setHibernate(true);
    RunUntil(QTime(7, 0, 31));
    EXPECT_TRUE(env.power->actions.empty());
    Encoder().Finish();
    EXPECT_EQ(env.power->actions, std::vector<RecordingPower::Action>{RecordingPower::Action::Hibernate});

    AddSchedule("Plain", "07:10:00", "07:10:30");
    RunUntil(QTime(7, 10, 31));
    EXPECT_EQ(env.power->actions.size(), 1u);
}

// A WAVE recording's power-off waits until its last file is closed, then runs at once.
TEST_F(AfterCaptureTest, PowerOffWaitsForTheLastFile)
{
    auto s = AddSchedule("Wave", "07:00:00", "07:00:30");
    s->setExitWindows(true);
    env.clock->Set(At(7, 0, 29, 900));
    RunUntil(QTime(7, 0, 0));
    env.clock->Set(At(7, 0, 30));
    env.timer->Fire();  // the stop, without letting the event loop close the file yet
    EXPECT_TRUE(env.power->actions.empty());
    QCoreApplication::processEvents();
    EXPECT_EQ(env.power->actions, std::vector<RecordingPower::Action>{RecordingPower::Action::PowerOff});
}

// Quitting after an MP3 recording waits for the encode; the front-end may cancel it.
TEST_F(AfterCaptureTest, QuitAfterEncodeUnlessCancelled)
{
    auto s = Mp3Schedule("Last", "07:00:00", "07:00:30");
    s->setExitTV(true);
    RunUntil(QTime(7, 0, 31));
    EXPECT_EQ(unloads, 0);
    Encoder().Finish();
    EXPECT_EQ(unloads, 1);
    EXPECT_FALSE(env.timer->Running());  // the controller has shut down

    // A cancelled quit keeps the controller running.
    TestEnv env2(At(7, 59, 0));
    ClsController c2(env2.services);
    bool cancel = true;
    int asked = 0;
    QObject::connect(&c2, &ClsController::OnUnload, [&](bool &Cancel) {
        ++asked;
        Cancel = cancel;
    });
    c2.Setup();
    c2.gSelectEndTimeChecker = EndTimeChecker::PCTime;
    auto w = c2.CreateNewSchedule();
    w->setStartTime("08:00:00");
    w->setEndTime("08:00:10");
    w->setExitTV(true);
    for (int d = 0; d < 7; ++d)
        w->setStartDay(d, 1);
    c2.AddSchedule2List(w);
    for (QDateTime t = At(7, 59, 59); t <= QDateTime(QDate(2024, 3, 4), QTime(8, 0, 11)); t = t.addMSecs(100)) {
        env2.clock->Set(t);
        env2.timer->Fire();
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(env2.timer->Running());
}

// A real-time MP3 or WAVE recording queues nothing.
TEST_F(AfterCaptureTest, NothingQueuedWithoutEncodeAfterCapture)
{
    auto s = Mp3Schedule("Live", "07:00:00", "07:00:30");
    s->MP3()->setMP3RealTime(true);
    AddSchedule("Wave", "07:01:00", "07:01:30");
    RunUntil(QTime(7, 1, 31));
    EXPECT_EQ(env.encoders->created.size(), 1u);  // only the probe at set-up
    EXPECT_FALSE(c.WaitForGOGO());
}

// An encoder that cannot be started drops the job and keeps the WAVE file; the error is shown.
TEST_F(AfterCaptureTest, EncoderThatCannotStartDropsTheJob)
{
    Mp3Schedule("Talk", "07:00:00", "07:00:30");
    RunUntil(QTime(7, 0, 0));
    env.encoders->unavailable = true;
    RunUntil(QTime(7, 0, 31));
    EXPECT_FALSE(c.WaitForGOGO());
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(LogLines().filter(QRegularExpression("^Wave to MP3 Encode .*StartFailed$")).size(), 1);
}

// A job whose server reports an error is logged as failed, and the next job gets a new server.
TEST_F(AfterCaptureTest, FailedJobIsLoggedAndTheQueueMovesOn)
{
    Mp3Schedule("Talk", "07:00:00", "07:00:30");
    RunUntil(QTime(7, 0, 0));
    env.capture->Last().files = {"/rec/b1.wav", "/rec/b2.wav"};
    RunUntil(QTime(7, 0, 31));
    FakeEncoder &first = Encoder();
    first.Finish(true);
    ASSERT_EQ(env.encoders->created.size(), 3u);
    FakeEncoder &second = Encoder();
    EXPECT_EQ(second.files, QStringList{"/rec/b2.wav"});
    second.Finish();
    const QStringList log = LogLines();
    EXPECT_EQ(log.filter(QRegularExpression("Encode .*Failed$")).size(), 1);
    EXPECT_EQ(log.filter(QRegularExpression("Encode .*Successed$")).size(), 1);
    EXPECT_EQ(errors.size(), 1u);
}
