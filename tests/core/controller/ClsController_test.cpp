#include "common/NumberedError.h"
#include "core/controller/ClsController.h"
#include "tests/support/TestServices.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <gtest/gtest.h>

using namespace tolvane;
using tolvane::test::TestEnv;

namespace {

class ControllerTest : public ::testing::Test {
protected:
    ControllerTest()
    {
        QObject::connect(&controller, &ClsController::OnStatusChanged,
                         [this](tolvane::Status s) { statuses.push_back(s); });
        QObject::connect(&controller, &ClsController::OnError,
                         [this](const NumberedError &e) { errors.push_back(e); });
    }

    QStringList LogLines() const
    {
        QFile f(env.Path("rec.log"));
        if (!f.open(QIODevice::ReadOnly))
            return {};
        QStringList lines = QString::fromUtf8(f.readAll()).split("\r\n");
        lines.removeLast();  // after the last line end
        return lines;
    }

    TestEnv env{QDateTime(QDate(2024, 3, 4), QTime(9, 5, 3))};
    ClsController controller{env.services};
    std::vector<tolvane::Status> statuses;
    std::vector<NumberedError> errors;
};

}  // namespace

// A new controller starts in StartUp with the documented option values.
TEST_F(ControllerTest, NewControllerDefaults)
{
    EXPECT_EQ(controller.Status(), tolvane::Status::StartUp);
    EXPECT_EQ(controller.BufferLength(), 1);
    EXPECT_EQ(controller.NoSoundVolume(), 0);
    EXPECT_EQ(controller.DefaultSavePath(), env.dir.path());
    EXPECT_FALSE(controller.WaitForGOGO());
    EXPECT_FALSE(controller.UseWME || controller.UseGOGO || controller.gMakeLog);
    EXPECT_EQ(controller.nSchedules(), 0);
    EXPECT_EQ(controller.GetVersion(), "0.6.2");
    EXPECT_TRUE(statuses.empty());
}

// Setup starts the 100 ms tick, takes the probes' answers and enters Idle once, with its log line.
TEST_F(ControllerTest, SetupEntersIdleOnce)
{
    env.capture->windowsMedia.reset();
    controller.gMakeLog = true;
    controller.Setup();
    EXPECT_EQ(controller.Status(), tolvane::Status::Idle);
    EXPECT_TRUE(controller.UseGOGO);
    EXPECT_FALSE(controller.UseWME);
    EXPECT_TRUE(env.timer->Running());
    EXPECT_EQ(env.timer->Interval(), std::chrono::milliseconds(100));
    ASSERT_EQ(statuses, std::vector<tolvane::Status>{tolvane::Status::Idle});
    EXPECT_EQ(LogLines().last(), "Status 2024/03/04 9:05:03Changed to 1");

    // Entering the status it already has raises nothing and logs nothing.
    controller.Setup();
    EXPECT_EQ(statuses.size(), 1u);
    EXPECT_EQ(LogLines().filter(QRegularExpression("^Status ")).size(), 1);
}

// Without an encoder the recorder still sets up, with MP3 encoding off.
TEST_F(ControllerTest, SetupWithoutEncoderOrWindowsMedia)
{
    env.encoders->unavailable = true;
    env.services->captureFactory.reset();
    controller.Setup();
    EXPECT_EQ(controller.Status(), tolvane::Status::Idle);
    EXPECT_FALSE(controller.UseGOGO);
    EXPECT_FALSE(controller.UseWME);
}

// Nothing is written while the log option is off.
TEST_F(ControllerTest, NoLogFileWhenLoggingIsOff)
{
    controller.Setup();
    controller.AddSchedule2List(controller.CreateNewSchedule());
    controller.setNoSoundVolume(2);
    EXPECT_FALSE(QFile::exists(env.Path("rec.log")));
}

// The buffer length takes 1 to 32767; a failed let keeps the old value and logs nothing.
TEST_F(ControllerTest, BufferLengthLet)
{
    controller.gMakeLog = true;
    controller.setBufferLength(32767);
    EXPECT_EQ(controller.BufferLength(), 32767);
    try {
        controller.setBufferLength(0);
        FAIL();
    } catch (const NumberedError &e) {
        EXPECT_EQ(e.Number(), 13);
        EXPECT_EQ(e.Description(), QStringLiteral("0以上の数でなければなりません。"));
    }
    try {
        controller.setBufferLength(40000);
        FAIL();
    } catch (const NumberedError &e) {
        EXPECT_EQ(e.Number(), ErrNo::Overflow);
    }
    EXPECT_THROW(controller.setBufferLength(-5), NumberedError);
    EXPECT_EQ(controller.BufferLength(), 32767);
    EXPECT_TRUE(LogLines().isEmpty());
}

// The silence level takes 0 or more and logs each accepted change.
TEST_F(ControllerTest, NoSoundVolumeLet)
{
    controller.gMakeLog = true;
    controller.setNoSoundVolume(2);
    EXPECT_EQ(controller.NoSoundVolume(), 2);
    EXPECT_EQ(LogLines(), QStringList{"NoSoundVolume 2024/03/04 9:05:03ChangeSuccessed"});
    EXPECT_THROW(controller.setNoSoundVolume(-0.5), NumberedError);
    controller.setNoSoundVolume(0);
    EXPECT_EQ(controller.NoSoundVolume(), 0);
    EXPECT_EQ(LogLines().size(), 2);
}

// Existing folder: kept silently; creatable: created and logged twice; impossible or not absolute:
// the app folder and OnError.
TEST_F(ControllerTest, DefaultSavePathLet)
{
    controller.gMakeLog = true;
    const QString existing = env.Path("existing");
    ASSERT_TRUE(QDir().mkdir(existing));
    controller.setDefaultSavePath(existing);
    EXPECT_EQ(controller.DefaultSavePath(), existing);
    EXPECT_TRUE(LogLines().isEmpty());

    const QString fresh = env.Path("fresh");
    controller.setDefaultSavePath(fresh);
    EXPECT_EQ(controller.DefaultSavePath(), fresh);
    EXPECT_TRUE(QDir(fresh).exists());
    EXPECT_EQ(LogLines(), (QStringList{"Folder  2024/03/04 9:05:03Created",
                                       "DefaultSavePath 2024/03/04 9:05:03Setted " + fresh}));

    QFile regular(env.Path("file"));
    ASSERT_TRUE(regular.open(QIODevice::WriteOnly));
    regular.close();
    controller.setDefaultSavePath(env.Path("file/sub"));
    EXPECT_EQ(controller.DefaultSavePath(), env.dir.path());
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(LogLines().last(), "DefaultSavePath 2024/03/04 9:05:03Setted App.Path");

    controller.setDefaultSavePath("");
    EXPECT_EQ(controller.DefaultSavePath(), env.dir.path());
    EXPECT_EQ(errors.size(), 1u);

    // A Windows path, or a relative one (even to a folder that is there), counts as not found:
    // nothing is looked for or made in the working folder.
    const test::WorkingFolder workIn(env.dir.path());
    for (const QString path : {"C:\\Program Files\\Tolvane", "existing"}) {
        controller.setDefaultSavePath(path);
        EXPECT_EQ(controller.DefaultSavePath(), env.dir.path());
        EXPECT_EQ(errors.back().Number(), ErrNo::PathNotFound);
        EXPECT_TRUE(errors.back().Description().startsWith(path)) << errors.back().what();
    }
    EXPECT_EQ(errors.size(), 3u);
    EXPECT_FALSE(QFileInfo::exists(env.Path("C:\\Program Files\\Tolvane")));
}

// Priority indexes outside 0 to 4 fail with subscript out of range.
TEST_F(ControllerTest, SetPriorityRange)
{
    controller.SetPriority(4);
    EXPECT_EQ(controller.PriorityIndex(), 4);
    for (int bad : {5, -1}) {
        try {
            controller.SetPriority(bad);
            FAIL();
        } catch (const NumberedError &e) {
            EXPECT_EQ(e.Number(), ErrNo::SubscriptOutOfRange);
        }
    }
    EXPECT_EQ(controller.PriorityIndex(), 4);
}

// Identifiers count up from ID0 and are never reused; the list holds the objects themselves.
TEST_F(ControllerTest, ScheduleOperationsAndIdentifiers)
{
    controller.gMakeLog = true;
    auto morning = controller.CreateNewSchedule();
    morning->setName("Morning");
    EXPECT_EQ(controller.AddSchedule2List(morning), "ID0");
    EXPECT_EQ(LogLines().last(), "Morning 2024/03/04 9:05:03ScheduleAdded");
    auto second = controller.CreateNewSchedule();
    EXPECT_EQ(controller.AddSchedule2List(second), "ID1");
    EXPECT_EQ(controller.Schedule("ID0"), morning);

    auto edited = controller.CreateNewSchedule();
    edited->setName("Evening");
    edited->setStartTime("19:00:00");
    controller.ChangeSchedule("ID0", *edited);
    EXPECT_EQ(controller.Schedule("ID0"), morning);  // same object, new values
    EXPECT_EQ(morning->Name(), "Evening");
    EXPECT_EQ(morning->StartTime(), "19:00:00");
    EXPECT_EQ(LogLines().last(), "Evening 2024/03/04 9:05:03ScheduleChanged");

    EXPECT_EQ(controller.DeleteSchedule("ID0"), 0);
    EXPECT_EQ(LogLines().last(), "Evening 2024/03/04 9:05:03ScheduleDeleted");
    EXPECT_EQ(controller.nSchedules(), 1);
    EXPECT_EQ(controller.AddSchedule2List(controller.CreateNewSchedule()), "ID2");

    const auto lines = LogLines().size();
    EXPECT_THROW(controller.DeleteSchedule("ID0"), NumberedError);
    EXPECT_THROW(controller.ChangeSchedule("ID7", *edited), NumberedError);
    EXPECT_THROW(controller.Schedule("ID0"), NumberedError);
    EXPECT_EQ(LogLines().size(), lines);
    EXPECT_EQ(controller.nSchedules(), 2);
}

// New schedules are copies of the default schedule, which can be replaced (and is logged).
TEST_F(ControllerTest, DefaultScheduleIsTheTemplate)
{
    controller.gMakeLog = true;
    auto def = controller.NewSchedule();
    def->setName("Template");
    def->WaveSetting()->setFrequency(Frequency::Ex48000Hz);
    controller.setDefaultSchedule(def);
    EXPECT_EQ(controller.DefaultSchedule(), def);
    EXPECT_EQ(LogLines().last(), "Default 2024/03/04 9:05:03DefaultScheduleChanged");

    auto made = controller.CreateNewSchedule();
    EXPECT_NE(made, def);
    EXPECT_EQ(made->Name(), "Template");
    EXPECT_EQ(made->WaveSetting()->Frequency(), Frequency::Ex48000Hz);
    EXPECT_EQ(controller.nSchedules(), 0);
}

// A log that cannot be written stops nothing: the operations that log do their work, and the
// user is told once, until the log can be written again (and then fails anew).
TEST_F(ControllerTest, UnwritableLogIsSaidOnceAndStopsNothing)
{
    QStringList warnings;
    QObject::connect(&controller, &ClsController::OnWarning, [&](const QString &w) { warnings << w; });
    ASSERT_TRUE(QDir().mkdir(env.Path("rec.log")));  // a folder where the file should be
    controller.gMakeLog = true;
    const QString id = controller.AddSchedule2List(controller.CreateNewSchedule());
    EXPECT_EQ(controller.nSchedules(), 1);
    EXPECT_NO_THROW(controller.setNoSoundVolume(1));
    EXPECT_EQ(controller.NoSoundVolume(), 1);
    controller.DeleteSchedule(id);
    EXPECT_EQ(controller.nSchedules(), 0);
    ASSERT_EQ(warnings.size(), 1);
    EXPECT_TRUE(warnings[0].contains("rec.log")) << warnings[0].toStdString();

    ASSERT_TRUE(QDir().rmdir(env.Path("rec.log")));
    controller.setNoSoundVolume(2);
    EXPECT_EQ(LogLines().size(), 1);
    ASSERT_TRUE(QFile::remove(env.Path("rec.log")) && QDir().mkdir(env.Path("rec.log")));
    controller.setNoSoundVolume(3);
    EXPECT_EQ(warnings.size(), 2);
}
