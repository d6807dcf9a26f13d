#include "common/ClsTextSaveLoad.h"
#include "common/NumberedError.h"
#include "common/TextCodec.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace tolvane;

namespace {
void WriteBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}
}  // namespace

// Line splitting: CR LF, LF and CR end lines; a last line may lack its end; an empty file is one empty line.
TEST(ClsTextSaveLoad, SplitsLinesLikeTheOldReader)
{
    EXPECT_EQ(ClsTextSaveLoad::SplitLines(""), QStringList{""});
    EXPECT_EQ(ClsTextSaveLoad::SplitLines("a\r\nb\r\n"), (QStringList{"a", "b"}));
    EXPECT_EQ(ClsTextSaveLoad::SplitLines("a\r\nb"), (QStringList{"a", "b"}));
    EXPECT_EQ(ClsTextSaveLoad::SplitLines("a\nb\rc"), (QStringList{"a", "b", "c"}));
    EXPECT_EQ(ClsTextSaveLoad::SplitLines("a\r\n\r\nb"), (QStringList{"a", "", "b"}));
    EXPECT_EQ(ClsTextSaveLoad::SplitLines("\r\n"), QStringList{""});
}

// A file from the Windows program in CP932 reads as Japanese text; UTF-8 reads as UTF-8.
TEST(ClsTextSaveLoad, ReadsCp932AndUtf8Files)
{
    QTemporaryDir dir;
    const QString name = QStringLiteral("朝のニュース");
    const QByteArray sjis = TextCodec::EncodeCp932(name);
    ASSERT_EQ(sjis.size(), 12);  // six double-byte characters
    ASSERT_FALSE(TextCodec::IsValidUtf8(sjis));

    WriteBytes(dir.path() + "/sjis.txt", "savedataver0.3.7\r\n" + sjis + "\r\n");
    ClsTextSaveLoad reader;
    EXPECT_EQ(reader.LoadEveryLine(dir.path() + "/sjis.txt"), (QStringList{"savedataver0.3.7", name}));

    WriteBytes(dir.path() + "/utf8.txt", "\xEF\xBB\xBF" + name.toUtf8() + "\r\nx");
    EXPECT_EQ(reader.LoadEveryLine(dir.path() + "/utf8.txt"), (QStringList{name, "x"}));
    EXPECT_EQ(reader.LoadAll(dir.path() + "/utf8.txt"), name + "\r\nx");
}

// Texts that are valid both as CP932 and as UTF-8 are read as what wrote them: half-width
// katakana from the Windows program, and kana, kanji or accented letters from an editor.
TEST(TextCodec, TellsCp932FromUtf8WhenBothRead)
{
    ASSERT_TRUE(TextCodec::IsValidUtf8(TextCodec::EncodeCp932(QStringLiteral("ﾗｼﾞｵ"))));
    ASSERT_EQ(TextCodec::DecodeCp932(QStringLiteral("ラジオ").toUtf8()), QStringLiteral("繝ｩ繧ｸ繧ｪ"));
    for (const QString &text : {QStringLiteral("ﾗｼﾞｵ"), QStringLiteral("ﾏｲﾗｼﾞｵ\r\nC:\\rec")})
        EXPECT_EQ(TextCodec::DecodeUtf8OrCp932(TextCodec::EncodeCp932(text)), text);
    for (const QString &text : {QStringLiteral("ラジオ深夜便"), QStringLiteral("Café ©"), QStringLiteral("ascii only")}) {
        EXPECT_EQ(TextCodec::DecodeUtf8OrCp932(text.toUtf8()), text);
        EXPECT_EQ(TextCodec::DecodeUtf8OrCp932("\xEF\xBB\xBF" + text.toUtf8()), text);
    }
}

// Damaged CP932 still decodes; characters CP932 cannot hold become "?".
TEST(TextCodec, ToleratesBytesAndCharactersOutsideCp932)
{
    EXPECT_EQ(TextCodec::DecodeCp932(QByteArray("a\x81")), QStringLiteral("a\uFFFD"));
    EXPECT_EQ(TextCodec::EncodeCp932(QStringLiteral("a😀b")), QByteArray("a?b"));
    EXPECT_EQ(TextCodec::DecodeCp932(TextCodec::EncodeCp932(QStringLiteral("ﾃｽﾄ・テスト"))),
              QStringLiteral("ﾃｽﾄ・テスト"));
}

// Save writes, appends, and refuses the read mode; reading a missing file creates it empty.
TEST(ClsTextSaveLoad, SaveModesAndMissingFile)
{
    QTemporaryDir dir;
    const QString path = dir.path() + "/t.txt";
    ClsTextSaveLoad io;
    io.Save("one\r\n", path, ClsTextSaveLoad::ForWriting);
    io.Save("two", path, ClsTextSaveLoad::ForAppending);
    EXPECT_EQ(io.LoadEveryLine(path), (QStringList{"one", "two"}));
    io.Save("new", path, ClsTextSaveLoad::ForWriting);
    EXPECT_EQ(io.LoadAll(path), "new");
    EXPECT_THROW(io.Save("x", path, ClsTextSaveLoad::ForReading), NumberedError);

    EXPECT_EQ(io.LoadEveryLine(dir.path() + "/absent.txt"), QStringList{""});
    EXPECT_TRUE(QFile::exists(dir.path() + "/absent.txt"));
    EXPECT_THROW(io.LoadAll(dir.path() + "/no/such/folder.txt"), NumberedError);
}
