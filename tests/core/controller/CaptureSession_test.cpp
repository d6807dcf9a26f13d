// Starting, cutting and stopping captures: the exact length by counting samples, the mixer
// selection, manual recordings and the failure paths.

#include "mixer/alsa/Mixer.h"
#include "tests/core/controller/ControllerFixture.h"

#include <algorithm>

using namespace tolvane;
using namespace tolvane::test;

namespace {
std::vector<qint16> Block(size_t n)
{
    return std::vector<qint16>(n, 1000);
}
}  // namespace

// 30 s at 44100 Hz stereo gives exactly 2,646,000 values, then the stop request ends it.
TEST_F(ControllerFixture, CountingSamplesCutsToTheExactLength)
{
    AddSchedule("News", "07:00:00", "07:00:30");
    RunUntil(QTime(7, 0, 0));
    FakePipeline &p = env.capture->Last();
    // Odd block sizes, so the cut falls inside a block and the carry is exercised.
    for (int i = 0; i < 80; ++i)
        p.Deliver16(Block(i % 3 == 0 ? 44101 : 31337));
    EXPECT_EQ(p.written16, 2646000);
    EXPECT_EQ(c.Status(), tolvane::Status::PresetWave);  // the tick carries out the stop
    TickAt(QTime(7, 0, 1));
    EXPECT_EQ(c.Status(), tolvane::Status::Idle);
    EXPECT_EQ(p.stopCalls, 1);
    // No level event for the block that set the stop request, nor for the emptied ones.
    EXPECT_LT(levelEvents, 80);
    p.Deliver16(Block(1000));
    EXPECT_EQ(p.written16, 2646000);
}

// 8-bit mono at 11025 Hz counts the same way on bytes.
TEST_F(ControllerFixture, CountingSamplesOnEightBitMono)
{
    auto s = AddSchedule("Mono", "07:00:00", "07:00:10");
    s->WaveSetting()->setBit(Bit::lo8bit);
    s->WaveSetting()->setChannel(Channel::mono);
    s->WaveSetting()->setFrequency(Frequency::Lo11025Hz);
    RunUntil(QTime(7, 0, 0));
    FakePipeline &p = env.capture->Last();
    for (int i = 0; i < 30; ++i)
        p.Deliver8(std::vector<quint8>(5000, 200));
    EXPECT_EQ(p.written8, 110250);
}

namespace {

struct MixerCase {
    const char *what;
    std::vector<qint32> before;  // as read when the capture begins
    qint32 channels;
    std::vector<qint32> after;
    size_t writes;
    bool reported;  // the selection before could not be read (in some channel)
};

class MixerSelectionTest : public ControllerFixture, public ::testing::WithParamInterface<MixerCase> {};

}  // namespace

// The schedule's input is selected on its device for the capture and put back afterwards. A
// channel whose earlier selection could not be read keeps the recording's input, the others
// are put back, and that is reported once.
TEST_P(MixerSelectionTest, AppliedAndRestored)
{
    const MixerCase &k = GetParam();
    env.mixer->muxValues = k.before;
    env.mixer->muxChannels = k.channels;
    c.gSelectEndTimeChecker = EndTimeChecker::PCTime;
    auto s = AddSchedule("Line", "07:00:00", "07:00:30");
    s->setUseSystemSourceDevice(false);
    s->setDeviceID(0);
    s->setSourceLineIndex(2);
    RunUntil(QTime(7, 0, 0));
    std::vector<qint32> during(k.before.size(), 0);
    during[2] = 1;
    EXPECT_EQ(env.mixer->muxValues, during);
    RunUntil(QTime(7, 0, 30));
    EXPECT_EQ(env.mixer->muxValues, k.after);
    EXPECT_EQ(env.mixer->writes.size(), k.writes);
    ASSERT_EQ(errors.size(), k.reported ? 1u : 0u);
    if (k.reported) {
        EXPECT_TRUE(errors[0].Description().startsWith("Capture Source: ") && errors[0].Description().contains("\"CD\""))
            << errors[0].what();
    }
    EXPECT_EQ(LogLines().filter(QRegularExpression("^MixerSetting .*Changed$")).size(), 1);
    EXPECT_EQ(LogLines().filter(QRegularExpression("^MixerSetting .*TakenBack$")).size(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MixerSelectionTest,
    ::testing::Values(MixerCase{"read", {1, 0, 0, 0}, 1, {1, 0, 0, 0}, 2, false},
                      MixerCase{"unread", {0, 0, 0, 0}, 1, {0, 0, 1, 0}, 1, true},
                      MixerCase{"first of two channels unread", {0, 0, 0, 0, 0, 1, 0, 0}, 2, {0, 0, 1, 0, 0, 1, 0, 0}, 2,
                                true}),
    [](const auto &info) {
        std::string name = info.param.what;
        std::replace(name.begin(), name.end(), ' ', '_');
        return name;
    });

// Recording from the system device leaves the mixer alone but still logs both lines.
TEST_F(ControllerFixture, SystemDeviceLeavesTheMixerAlone)
{
    c.gSelectEndTimeChecker = EndTimeChecker::PCTime;
    AddSchedule("Default", "07:00:00", "07:00:30");
    RunUntil(QTime(7, 0, 30));
    EXPECT_EQ(env.mixer->created, 0);
    EXPECT_EQ(LogLines().filter("MixerSetting").size(), 2);
}

// No mixer at all: the recording still starts and the error is reported.
TEST_F(ControllerFixture, MissingMixerDoesNotStopTheRecording)
{
    env.mixer->noDevice = true;
    auto s = AddSchedule("Line", "07:00:00", "07:00:30");
    s->setUseSystemSourceDevice(false);
    s->setSourceLineIndex(1);
    RunUntil(QTime(7, 0, 0));
    EXPECT_EQ(c.Status(), tolvane::Status::PresetWave);
    EXPECT_TRUE(env.capture->Last().started);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].Number(), ErrNo::InvalidLevel);
}

// A timetable start that cannot open the device reports it and stays Idle instead of
// pretending to record (which would block every later schedule).
TEST_F(ControllerFixture, FailedStartStaysIdle)
{
    AddSchedule("News", "07:00:00", "07:00:30");
    AddSchedule("Later", "07:01:00", "07:01:30");
    RunUntil(QTime(6, 59, 58));
    env.capture->nextFailure = FakePipeline::FailAt::Start;
    RunUntil(QTime(7, 0, 2));  // tried again within its two-second window, failing again
    EXPECT_EQ(c.Status(), tolvane::Status::Idle);
    EXPECT_FALSE(errors.empty());
    env.capture->nextFailure = FakePipeline::FailAt::Never;
    RunUntil(QTime(7, 1, 0));
    EXPECT_EQ(c.Status(), tolvane::Status::PresetWave);
    EXPECT_EQ(c.CapturingSchedule()->Name(), "Later");
}

// A write failure stops the recording through the controller: Idle again, mixer restored.
TEST_F(ControllerFixture, WriteFailureEndsTheRecording)
{
    AddSchedule("News", "07:00:00", "08:00:00");
    RunUntil(QTime(7, 0, 0));
    emit env.capture->Last().WriteError(NumberedError(ErrNo::DiskFull, "disk full"));
    ASSERT_EQ(errors.size(), 1u);
    TickAt(QTime(7, 0, 0, 100));
    EXPECT_EQ(c.Status(), tolvane::Status::Idle);
    EXPECT_EQ(env.capture->Last().stopCalls, 1);
}

// Manual recordings: the user's end time switches the status and the tick ends it then.
TEST_F(ControllerFixture, ManualRecordingWithEndTime)
{
    env.clock->Set(At(10, 0, 0));
    auto s = c.CreateNewSchedule();
    s->setStartTime("10:00:00");
    s->setEndTime("10:00:00");
    c.StartOnTimeCapture(s);
    EXPECT_EQ(c.Status(), tolvane::Status::ManualWave);
    EXPECT_TRUE(env.capture->Last().started);
    RunUntil(QTime(10, 5, 0));
    EXPECT_EQ(c.Status(), tolvane::Status::ManualWave);  // no end until the user sets one
    c.setCaptureEndTime(Seconds(10 * 3600 + 6 * 60));
    EXPECT_EQ(c.Status(), tolvane::Status::ManualEndSetWave);
    EXPECT_EQ(c.LastCaptureTimeBySecond(), 60);
    RunUntil(QTime(10, 6, 0));
    EXPECT_EQ(c.Status(), tolvane::Status::Idle);
    EXPECT_EQ(LogLines().filter("OnTimeCaptureStart").size(), 1);
    EXPECT_EQ(LogLines().filter(QRegularExpression("^EndTime .*Changed$")).size(), 1);
}

// A manual Windows Media recording gets its own statuses.
TEST_F(ControllerFixture, ManualWindowsMediaEndTime)
{
    env.clock->Set(At(10, 0, 0));
    auto s = c.CreateNewSchedule();
    s->setRecordingFormat(FormatType::windowsmedia);
    c.StartOnTimeCapture(s);
    EXPECT_EQ(c.Status(), tolvane::Status::ManualWM);
    c.setCaptureEndTime(Seconds(10 * 3600 + 30));
    EXPECT_EQ(c.Status(), tolvane::Status::ManualEndSetWM);
    RunUntil(QTime(10, 0, 30));
    EXPECT_EQ(c.Status(), tolvane::Status::Idle);
    EXPECT_EQ(env.capture->windowsMedia->stopCalls, 1);
}

// A manual start that cannot be prepared stays in its status until the user stops it.
TEST_F(ControllerFixture, ManualStartFailureWaitsForStop)
{
    env.capture->nextFailure = FakePipeline::FailAt::SetParameter;
    c.StartOnTimeCapture(c.CreateNewSchedule());
    EXPECT_EQ(c.Status(), tolvane::Status::ManualWave);
    EXPECT_EQ(errors.size(), 1u);
    c.StopCapture();
    EXPECT_EQ(c.Status(), tolvane::Status::Idle);
}

// Stopping when nothing records repeats none of the last recording's after-actions.
TEST_F(ControllerFixture, StopWithoutCaptureDoesNothing)
{
    const QString prog = MakeFile("after.sh");
    c.gSelectEndTimeChecker = EndTimeChecker::PCTime;
    auto s = AddSchedule("News", "07:00:00", "07:00:30");
    s->setAfterExecute(true);
    s->setAfterExecutePath(prog);
    s->setHibernate(true);
    RunUntil(QTime(7, 0, 31));
    EXPECT_EQ(env.shell->started.size(), 1u);
    EXPECT_EQ(env.power->actions.size(), 1u);
    const auto lines = LogLines().size();
    c.StopCapture();
    c.StopCapture();
    EXPECT_EQ(env.shell->started.size(), 1u);
    EXPECT_EQ(env.power->actions.size(), 1u);
    EXPECT_EQ(LogLines().size(), lines);
}

// A manual start while a recording runs is refused, and the running one goes on.
TEST_F(ControllerFixture, SecondStartIsRefused)
{
    c.StartOnTimeCapture(c.CreateNewSchedule());
    const size_t pipelines = env.capture->pipelines.size();
    c.StartOnTimeCapture(c.CreateNewSchedule());
    EXPECT_EQ(env.capture->pipelines.size(), pipelines);
    EXPECT_EQ(c.Status(), tolvane::Status::ManualWave);
    EXPECT_EQ(errors.size(), 1u);
}

// Monitoring by the user: on and off, with its log lines; a failing device returns to Idle.
TEST_F(ControllerFixture, MonitorOnAndOff)
{
    c.StartMonitor();
    EXPECT_EQ(c.Status(), tolvane::Status::Monitor);
    EXPECT_EQ(c.mlRecAllTime, 86400);
    c.StopMonitor();
    EXPECT_EQ(c.Status(), tolvane::Status::Idle);
    EXPECT_EQ(c.CapturingSchedule(), nullptr);
    env.capture->nextFailure = FakePipeline::FailAt::Monitor;
    c.StartMonitor();
    EXPECT_EQ(c.Status(), tolvane::Status::Idle);
    EXPECT_EQ(errors.size(), 1u);
    const QStringList log = LogLines();
    EXPECT_EQ(log.filter("StartSuccessed").size(), 1);
    EXPECT_EQ(log.filter("Stoped").size(), 1);
    EXPECT_EQ(log.filter("StartFailed").size(), 1);
}

// The real mixer library on a machine without cards or sound server: the recording still
// starts, and the mixer's own error reaches OnError.
TEST_F(ControllerFixture, RealMixerWithoutDevicesStillRecords)
{
    const bool hadServer = qEnvironmentVariableIsSet("PULSE_SERVER");
    const QByteArray previous = qgetenv("PULSE_SERVER");
    qputenv("PULSE_SERVER", "unix:/nonexistent/pulse/native");
    env.services->mixerFactory = Mixer::Factory();
    ClsController real(env.services);
    std::vector<NumberedError> realErrors;
    QObject::connect(&real, &ClsController::OnError, [&](const NumberedError &e) { realErrors.push_back(e); });
    real.Setup();
    auto s = real.CreateNewSchedule();
    s->setUseSystemSourceDevice(false);
    s->setSourceLineIndex(1);
    real.StartOnTimeCapture(s);
    if (hadServer)
        qputenv("PULSE_SERVER", previous);
    else
        qunsetenv("PULSE_SERVER");
    EXPECT_EQ(real.Status(), tolvane::Status::ManualWave);
    EXPECT_TRUE(env.capture->Last().started);
    ASSERT_FALSE(realErrors.empty());
    // Cards, if the machine has any, still give a mixer; then the selector may be missing instead.
    EXPECT_TRUE(realErrors[0].Number() == ErrNo::InvalidLevel || realErrors[0].Number() == ErrNo::ObjectNotSet ||
                realErrors[0].Number() == ErrNo::SubscriptOutOfRange);
}
