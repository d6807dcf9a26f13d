// The text forms of stored values: what reads, what fails with which number, and that what is
// written reads back the same.

#include "common/NumberedError.h"
#include "core/persistence/StoredValue.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

using namespace tolvane;
using namespace tolvane::StoredValue;

namespace {

qint32 ErrorOf(const std::function<void()> &read)
{
    try {
        read();
    } catch (const NumberedError &e) {
        return e.Number();
    }
    return 0;
}

}  // namespace

// Booleans in any letter case or as numbers; whole numbers in 32 bits, decimals rounded half to
// even; a byte within 0 to 255. Anything else is a type mismatch, too large an overflow.
TEST(StoredValue, Conversions)
{
    EXPECT_TRUE(ToBool("tRuE", "v"));
    EXPECT_FALSE(ToBool(" False ", "v"));
    EXPECT_TRUE(ToBool("-1", "v"));
    EXPECT_FALSE(ToBool("0", "v"));
    EXPECT_EQ(ErrorOf([] { ToBool("yes", "v"); }), ErrNo::TypeMismatch);
    EXPECT_EQ(ErrorOf([] { ToBool("", "v"); }), ErrNo::TypeMismatch);

    EXPECT_EQ(ToInt32(" -2147483648 ", "v"), -2147483647 - 1);
    EXPECT_EQ(ToInt32("2.5", "v"), 2);
    EXPECT_EQ(ToInt32("3.5", "v"), 4);
    EXPECT_EQ(ErrorOf([] { ToInt32("2147483648", "v"); }), ErrNo::Overflow);
    EXPECT_EQ(ErrorOf([] { ToInt32("1e10", "v"); }), ErrNo::Overflow);
    EXPECT_EQ(ErrorOf([] { ToInt32("12abc", "v"); }), ErrNo::TypeMismatch);
    EXPECT_EQ(ToByte("255", "v"), 255);
    EXPECT_EQ(ErrorOf([] { ToByte("256", "v"); }), ErrNo::Overflow);
    EXPECT_EQ(ErrorOf([] { ToByte("-1", "v"); }), ErrNo::Overflow);

    EXPECT_EQ(ToDouble("2.75", "v"), 2.75);
    EXPECT_EQ(ToDouble("2,75", "v"), 2.75);  // a file written under a decimal-comma locale
    EXPECT_EQ(ErrorOf([] { ToDouble("1,000.5", "v"); }), ErrNo::TypeMismatch);

    EXPECT_EQ(ToTimeOfDay("00:30:00", "v"), Seconds(1800));
    EXPECT_EQ(ToTimeOfDay("0:30:00", "v"), Seconds(1800));
    EXPECT_EQ(ErrorOf([] { ToTimeOfDay("24:00:00", "v"); }), ErrNo::TypeMismatch);
    // The 12-hour forms of Windows locales: 12 AM is midnight, 12 PM noon; Japanese "午後 0" is noon too.
    const struct {
        const char *text;
        int seconds;
    } twelveHour[] = {
        {"12:00:00 AM", 0},        {"12:30:00 AM", 1800},       {"1:05:09 am", 3909},   {"11:59:59 PM", 86399},
        {"12:00:00 PM", 43200},    {"PM 6:00:00", 64800},       {"午前 0:00:00", 0},    {"午前 12:30:00", 1800},
        {"午後 0:00:00", 43200},   {"午後 11:00:00", 82800},    {"9:00:00 午後", 75600}, {"午前5:00:00", 18000},
    };
    for (const auto &t : twelveHour)
        EXPECT_EQ(ToTimeOfDay(QString::fromUtf8(t.text), "v"), Seconds(t.seconds)) << t.text;
    for (const char *bad : {"13:00:00 PM", "AM", "12:00:00 AM PM", "午前 24:00:00", "12:00:00 XM", "午後"})
        EXPECT_EQ(ErrorOf([&] { ToTimeOfDay(QString::fromUtf8(bad), "v"); }), ErrNo::TypeMismatch) << bad;

    // The silence level keeps its text, except that a decimal comma becomes a point.
    EXPECT_EQ(ToNoSounddB("-40,5"), "-40.5");
    EXPECT_EQ(ToNoSounddB(" -40 "), " -40 ");
    EXPECT_EQ(ToNoSounddB("-inf"), "-inf");
    EXPECT_EQ(ToNoSounddB("-1,000,5"), "-1,000,5");

    // The failing value is named with its text.
    try {
        ToInt32("x1", "BufferLength");
        FAIL();
    } catch (const NumberedError &e) {
        EXPECT_EQ(e.Description(), QStringLiteral("BufferLength \"x1\": Type mismatch"));
    }
}

// Written forms do not depend on the locale and read back to the same value.
TEST(StoredValue, WrittenFormsReadBack)
{
    for (const double d : {0.1, 2.75, -23.5, 13.979400086720377, 1e-300, 4.0}) {
        EXPECT_FALSE(FromDouble(d).contains(u','));
        EXPECT_EQ(ToDouble(FromDouble(d), "v"), d);
    }
    EXPECT_TRUE(std::isinf(ToDouble(FromDouble(HUGE_VAL), "v")));
    EXPECT_EQ(FromTimeOfDay(Seconds(75 * 60)), "01:15:00");
    EXPECT_EQ(FromBool(true), "True");
    EXPECT_EQ(FromNoSounddB(QVariant()), "0");
    EXPECT_EQ(FromNoSounddB(QStringLiteral("-inf")), "-inf");
    EXPECT_EQ(FromNoSounddB(-6.5), "-6.5");
}
