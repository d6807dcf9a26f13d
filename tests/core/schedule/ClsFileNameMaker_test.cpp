#include "core/schedule/ClsFileNameMaker.h"

#include <gtest/gtest.h>

using tolvane::ClsFileNameMaker::MakeFileName;

namespace {
const QDateTime kBase(QDate(2024, 3, 5), QTime(7, 8, 9));
}

// Tokens expand in their fixed order; unknown text is copied as it stands.
TEST(ClsFileNameMaker, ExpandsEveryToken)
{
    EXPECT_EQ(MakeFileName("\\N_\\Y\\M\\D\\h\\m\\s", "Morning", kBase, 0), "Morning_20240305070809");
    EXPECT_EQ(MakeFileName("/Y/M/D", "x", kBase, 0), "2435");
    EXPECT_EQ(MakeFileName("\\Y\\Y", "x", kBase, 0), "20242024");
    EXPECT_EQ(MakeFileName("plain name", "x", kBase, 0), "plain name");
    EXPECT_EQ(MakeFileName("", "x", kBase, 0), "");
    EXPECT_EQ(MakeFileName("\\M-\\m", "x", kBase, 0), "03-08");  // month and minute differ by case
}

// Date tokens use the moment moved back by the day start; time tokens use the real moment.
TEST(ClsFileNameMaker, DayStartAdjustsOnlyTheDate)
{
    const QDateTime early(QDate(2024, 3, 5), QTime(4, 59, 59));
    EXPECT_EQ(MakeFileName("\\Y\\M\\D_\\h\\m\\s", "x", early, -18000), "20240304_045959");
    EXPECT_EQ(MakeFileName("/M/D", "x", QDateTime(QDate(2024, 3, 1), QTime(1, 30)), -18000), "229");
    EXPECT_EQ(MakeFileName("\\Y", "x", QDateTime(QDate(2024, 1, 1), QTime(3, 0)), -18000), "2023");
}

// The name goes in last, so token text inside it stays literal.
TEST(ClsFileNameMaker, NameIsInsertedLiterally)
{
    EXPECT_EQ(MakeFileName("\\N-\\D", "a\\Db", kBase, 0), "a\\Db-05");
}
