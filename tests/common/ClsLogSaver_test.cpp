#include "common/ClsLogSaver.h"
#include "common/DateTimeText.h"
#include "common/NumberedError.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace tolvane;

// Each call appends exactly one CR LF line, UTF-8, creating the file on first use.
TEST(ClsLogSaver, AppendsCrLfLinesInUtf8)
{
    QTemporaryDir dir;
    ClsLogSaver log;
    log.setFilePath(dir.path() + "/rec.log");
    log.AppendLog(QStringLiteral("朝のニュース 2024/03/05 7:08:09ScheduleAdded"));
    log.AppendLog(QStringLiteral("Status 2024/03/05 7:08:10Changed to 1"));

    QFile f(log.FilePath());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QStringLiteral("朝のニュース 2024/03/05 7:08:09ScheduleAdded\r\n"
                                          "Status 2024/03/05 7:08:10Changed to 1\r\n")
                               .toUtf8());
}

// A log whose folder is missing, or whose path is a folder, fails with a numbered file error.
TEST(ClsLogSaver, UnwritableFileRaisesFileError)
{
    QTemporaryDir dir;
    ClsLogSaver log;
    log.setFilePath(dir.path() + "/missing/rec.log");
    try {
        log.AppendLog("x");
        FAIL() << "no error";
    } catch (const NumberedError &e) {
        EXPECT_EQ(e.Number(), ErrNo::PathNotFound);
    }

    QFile regular(dir.path() + "/plain");
    ASSERT_TRUE(regular.open(QIODevice::WriteOnly));
    regular.close();
    log.setFilePath(dir.path() + "/plain/rec.log");
    EXPECT_THROW(log.AppendLog("x"), NumberedError);
}

// The general date form has no leading zero on the hour and ignores the machine's locale.
TEST(DateTimeText, GeneralFormIsYearMonthDayThenHourWithoutLeadingZero)
{
    EXPECT_EQ(GeneralDateTimeText(QDateTime(QDate(2024, 3, 5), QTime(7, 8, 9))), "2024/03/05 7:08:09");
    EXPECT_EQ(GeneralDateTimeText(QDateTime(QDate(2024, 12, 31), QTime(23, 59, 59))), "2024/12/31 23:59:59");
}
