#include "encoder/ClsNameDoublingChecker.h"

#include "AudioTools.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace tolvane {
namespace {

// A free name is kept; a taken one gets the smallest free number before its extension, and a
// dot in a folder name is not taken for the extension.
TEST(ClsNameDoublingChecker, NumbersTakenNamesBeforeTheExtension)
{
    QTemporaryDir dir;
    const QString rec = dir.filePath(QStringLiteral("rec.mp3.tmp"));
    EXPECT_EQ(ClsNameDoublingChecker::AdaptFileName(rec), rec);

    ASSERT_TRUE(test::WriteAll(rec, "x"));
    EXPECT_EQ(ClsNameDoublingChecker::AdaptFileName(rec), dir.filePath(QStringLiteral("rec.mp3_1.tmp")));
    ASSERT_TRUE(test::WriteAll(dir.filePath(QStringLiteral("rec.mp3_1.tmp")), "x"));
    EXPECT_EQ(ClsNameDoublingChecker::AdaptFileName(rec), dir.filePath(QStringLiteral("rec.mp3_2.tmp")));

    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("a.b")));
    const QString bare = dir.filePath(QStringLiteral("a.b/rec"));
    ASSERT_TRUE(test::WriteAll(bare, "x"));
    EXPECT_EQ(ClsNameDoublingChecker::AdaptFileName(bare), dir.filePath(QStringLiteral("a.b/rec_1")));
}

}  // namespace
}  // namespace tolvane
