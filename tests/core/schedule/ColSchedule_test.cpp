#include "common/NumberedError.h"
#include "core/schedule/ColSchedule.h"
#include "tests/support/TestServices.h"

#include <gtest/gtest.h>

using namespace tolvane;
using tolvane::test::TestEnv;

namespace {

// 2024-03-04 is a Monday.
QDateTime At(int day, int h, int m, int s)
{
    return QDateTime(QDate(2024, 3, day), QTime(h, m, s));
}

class ColScheduleTest : public ::testing::Test {
protected:
    ColSchedule::Ptr Add(const QString &name, const QString &start, std::initializer_list<int> days = {0, 1, 2, 3, 4, 5, 6})
    {
        auto s = std::make_shared<ClsSchedule>(env.services);
        s->setName(name);
        s->setStartTime(start);
        for (int d : days)
            s->setStartDay(d, 1);
        list.Add(s, "ID" + QString::number(list.Count()));
        return s;
    }
    QString Due(const QDateTime &now, int before = 0) const
    {
        auto s = list.CheckStartSchedule(now, before);
        return s ? s->Name() : QString();
    }

    TestEnv env;
    ColSchedule list;
};

}  // namespace

// A start is seen at its second and the one after, and 20 s earlier for monitoring.
TEST_F(ColScheduleTest, TwoSecondWindow)
{
    Add("A", "07:00:00");
    EXPECT_EQ(Due(At(4, 6, 59, 59)), "");
    EXPECT_EQ(Due(At(4, 7, 0, 0)), "A");
    EXPECT_EQ(Due(At(4, 7, 0, 1)), "A");
    EXPECT_EQ(Due(At(4, 7, 0, 2)), "");
    EXPECT_EQ(Due(At(4, 6, 59, 39), 20), "");
    EXPECT_EQ(Due(At(4, 6, 59, 40), 20), "A");
    EXPECT_EQ(Due(At(4, 6, 59, 41), 20), "A");
    EXPECT_EQ(Due(At(4, 6, 59, 42), 20), "");
}

// Several schedules due together: the first in list order wins; invalid ones never start.
TEST_F(ColScheduleTest, ListOrderAndInvalidSchedules)
{
    auto a = Add("A", "07:00:00");
    Add("B", "07:00:00");
    EXPECT_EQ(Due(At(4, 7, 0, 0)), "A");
    a->setValid(false);
    EXPECT_EQ(Due(At(4, 7, 0, 0)), "B");

    auto wm = Add("WM", "08:00:00");
    wm->setRecordingFormat(FormatType::windowsmedia);
    wm->setValid(false);
    wm->setBeforeExecute(true);
    wm->setBeforeExecuteSeconds(60);
    EXPECT_EQ(Due(At(4, 8, 0, 0)), "");
    EXPECT_EQ(list.CheckScheduleBefore5Second(At(4, 7, 59, 55)), nullptr);
    EXPECT_EQ(list.CheckBeforeExecute(At(4, 7, 59, 0)), nullptr);
}

// Only the value 1 marks a recording day; the day is judged on the moment the check looks at.
TEST_F(ColScheduleTest, WeekdaysAndMidnight)
{
    auto s = Add("Tue", "00:00:00", {2});
    EXPECT_EQ(Due(At(4, 23, 59, 40), 20), "Tue");  // Monday evening, 20 s before Tuesday
    EXPECT_EQ(Due(At(5, 0, 0, 1)), "Tue");
    EXPECT_EQ(Due(At(6, 0, 0, 0)), "");           // Wednesday
    s->setStartDay(2, 2);
    EXPECT_EQ(Due(At(5, 0, 0, 0)), "");
}

// A delay moves the start but not the weekday: Monday 23:59 delayed 2 minutes starts Tuesday 00:01.
TEST_F(ColScheduleTest, DelayKeepsTheWeekdayOfTheSetTime)
{
    auto s = Add("Late", "23:59:00", {1});
    s->setStartTimeDelay(Seconds(120));
    EXPECT_EQ(Due(At(5, 0, 1, 0)), "Late");
    EXPECT_EQ(Due(At(5, 0, 1, 1)), "Late");
    EXPECT_EQ(Due(At(4, 23, 59, 0)), "");  // the delayed occurrence replaces the plain one
    EXPECT_EQ(Due(At(4, 0, 1, 0)), "");    // Monday 00:01 belongs to Sunday's occurrence
}

// Windows Media schedules are prepared 5 seconds ahead; other formats are not.
TEST_F(ColScheduleTest, WindowsMediaFiveSecondsAhead)
{
    Add("Wave", "07:00:00");
    auto wm = Add("WM", "07:00:00");
    wm->setRecordingFormat(FormatType::windowsmedia);
    EXPECT_EQ(list.CheckScheduleBefore5Second(At(4, 6, 59, 54)), nullptr);
    EXPECT_EQ(list.CheckScheduleBefore5Second(At(4, 6, 59, 55)), wm);
    EXPECT_EQ(list.CheckScheduleBefore5Second(At(4, 6, 59, 56)), wm);
    EXPECT_EQ(list.CheckScheduleBefore5Second(At(4, 6, 59, 57)), nullptr);
}

// A before-program is due its lead time ahead, judged by the weekday of the start, until queued.
TEST_F(ColScheduleTest, BeforeProgramWindow)
{
    auto s = Add("Early", "00:00:10", {2});
    s->setBeforeExecute(true);
    s->setBeforeExecuteSeconds(30);
    EXPECT_EQ(list.CheckBeforeExecute(At(4, 23, 59, 39)), nullptr);
    EXPECT_EQ(list.CheckBeforeExecute(At(4, 23, 59, 40)), s);  // Monday evening for Tuesday
    EXPECT_EQ(list.CheckBeforeExecute(At(4, 23, 59, 41)), s);
    EXPECT_EQ(list.CheckBeforeExecute(At(5, 23, 59, 40)), nullptr);  // Tuesday evening: Wednesday is off
    s->setBeforeExecuted(true);
    EXPECT_EQ(list.CheckBeforeExecute(At(4, 23, 59, 40)), nullptr);
    s->setBeforeExecuted(false);
    s->setBeforeExecute(false);
    EXPECT_EQ(list.CheckBeforeExecute(At(4, 23, 59, 40)), nullptr);
}

// A StartTime that is not a time is skipped, reported once, and does not hide later schedules.
TEST_F(ColScheduleTest, MalformedStartTimeIsSkippedAndReportedOnce)
{
    auto bad = Add("Broken", "7 o'clock");
    Add("Good", "07:00:00");
    std::vector<NumberedError> problems;
    EXPECT_EQ(list.CheckStartSchedule(At(4, 7, 0, 0), 0, &problems)->Name(), "Good");
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0].Number(), ErrNo::TypeMismatch);
    EXPECT_TRUE(problems[0].Description().contains("Broken"));

    for (int i = 0; i < 10; ++i) {
        list.CheckStartSchedule(At(4, 7, 0, 1), 20, &problems);
        list.CheckBeforeExecute(At(4, 7, 0, 1), &problems);
    }
    EXPECT_EQ(problems.size(), 1u);

    bad->setStartTime("25:00:00");  // a new value is a new occurrence
    list.CheckStartSchedule(At(4, 7, 0, 0), 0, &problems);
    EXPECT_EQ(problems.size(), 2u);

    bad->setStartTime("7:00:00");  // one digit is still a time
    EXPECT_EQ(list.CheckStartSchedule(At(4, 7, 0, 0), 0, &problems), bad);
}

// Entries are found by key or by zero-based position (a numeric text is a position).
TEST_F(ColScheduleTest, ItemRemoveAndKeys)
{
    auto a = Add("A", "07:00:00");
    auto b = Add("B", "08:00:00");
    EXPECT_EQ(list.Item(0), a);
    EXPECT_EQ(list.Item(QStringLiteral("0")), a);
    EXPECT_EQ(list.Item(QStringLiteral("ID1")), b);
    try {
        list.Item(QStringLiteral("ID9"));
        FAIL();
    } catch (const NumberedError &e) {
        EXPECT_EQ(e.Number(), ErrNo::InvalidProcedureCall);
    }
    EXPECT_THROW(list.Item(5), NumberedError);
    EXPECT_THROW(list.Add(a, "ID0"), NumberedError);

    list.Remove(QStringLiteral("ID0"));
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Item(0), b);
    EXPECT_THROW(list.Remove(QStringLiteral("ID0")), NumberedError);
    EXPECT_EQ(list.Count(), 1);
}

// The old file's bulk add: added under its key first, then filled in order; too few days fail.
TEST_F(ColScheduleTest, Add2FillsAndFailsOnShortDayArray)
{
    LegacyScheduleValues v;
    v.Name = "Old";
    v.StartDay = {1, 0, 0, 0, 0, 0, 1};
    v.StartTime = "06:00:00";
    v.EndTime = "06:30:00";
    v.Bit = 0;
    v.Frequency = 1;
    v.Channel = 0;
    v.CutSNS = true;
    v.RecordingFormat = 2;
    v.SavePath = "";
    v.MP3SetPriority = 5;
    v.MP3VBRMaxBitRate = 160;
    v.DeviceIndex = 3;
    auto s = list.Add2("K1", v, env.services);
    EXPECT_EQ(list.Item(QStringLiteral("K1")), s);
    EXPECT_EQ(s->Name(), "Old");
    EXPECT_EQ(s->StartDay(6), 1);
    EXPECT_EQ(s->WaveSetting()->Bit(), Bit::lo8bit);
    EXPECT_EQ(s->WaveSetting()->Frequency(), Frequency::Mi22050Hz);
    EXPECT_TRUE(s->WaveSetting()->SNSValid());
    EXPECT_EQ(s->RecordingFormat(), FormatType::MP3);
    EXPECT_EQ(s->MP3()->MP3SetPriority(), -1);
    EXPECT_EQ(s->MP3()->MP3VBRMaxBitRate(), 160);
    EXPECT_EQ(s->FileName(), "\\Y\\M\\D\\h\\m\\s");
    EXPECT_EQ(s->DeviceID(), 3);

    v.StartDay = {1, 1, 1};
    EXPECT_THROW(list.Add2("K2", v, env.services), NumberedError);
    EXPECT_EQ(list.Count(), 2);  // the partly filled schedule stays
}
