// The timetable with the program's Windows Media output, on generated sound.

#include "tests/core/capture/WindowsMediaTimetable.h"

#include <gtest/gtest.h>

using tolvane::test::WindowsMediaTimetable;
using namespace tolvane;

// The recorder offers Windows Media here. A schedule whose session file is missing shows the
// error when it is prepared five seconds ahead, reports the failed start, makes no file and
// leaves the recorder idle for the next schedule.
TEST(WindowsMediaTimetable, MissingSessionShowsTheErrorAndStaysIdle)
{
    WindowsMediaTimetable t("generated:tone=1000@-6");
    EXPECT_TRUE(t.c->UseWME);
    const auto s = t.AddSchedule("07:00:00", "07:00:20");
    s->setWMEFilePath(t.env.Path("gone.wme"));

    t.TickAt(6, 59, 55);
    ASSERT_EQ(t.env.notifier->messages.size(), 1u);
    const auto &shown = t.env.notifier->messages[0];
    EXPECT_EQ(shown.icon, MessageIcon::Critical);
    EXPECT_TRUE(shown.text.startsWith("エラーが発生しました。エラー番号は53です。\n")) << shown.text.toStdString();
    EXPECT_TRUE(t.errors.empty());  // the preparation itself returns normally

    t.TickAt(7, 0, 0);
    ASSERT_EQ(t.errors.size(), 1u);
    EXPECT_EQ(t.errors[0].Number(), ErrNo::FileNotFound);
    EXPECT_EQ(t.c->Status(), tolvane::Status::Idle);
    EXPECT_TRUE(std::find(t.statuses.begin(), t.statuses.end(), tolvane::Status::PresetWM) == t.statuses.end());
    t.TickAt(7, 0, 20);
    EXPECT_TRUE(t.Recordings().isEmpty());
    EXPECT_EQ(t.env.notifier->messages.size(), 1u);
}
