#include "encoder/ID3v1Tag.h"

#include "encoder/protocol/Mp3EncodeSettings.h"

#include <gtest/gtest.h>

namespace tolvane {
namespace {

QByteArray Padded(const QByteArray &bytes, qsizetype length)
{
    return bytes + QByteArray(length - bytes.size(), ' ');
}

// Every field sits at its ID3v1 offset, padded with spaces; Japanese text is in CP932.
TEST(ID3v1Tag, LaysOutEveryFieldInCp932)
{
    Mp3EncodeSettings s;
    s.TagTitle = QStringLiteral("ラジオ講座");
    s.TagArtist = QStringLiteral("Artist");
    s.TagAlbum = QString();
    s.TagYear = QStringLiteral("2024");
    s.TagComment = QStringLiteral("c");
    s.TagGenre = 12;

    const QByteArray expected = "TAG" + Padded("\x83\x89\x83\x57\x83\x49\x8d\x75\x8d\xc0", 30) + Padded("Artist", 30)
                                + Padded("", 30) + "2024" + Padded("c", 30) + '\x0c';
    EXPECT_EQ(MakeID3v1Tag(s), expected);
}

// Long texts are cut to their field, never through a double-byte character.
TEST(ID3v1Tag, CutsLongTextsAtWholeCharacters)
{
    Mp3EncodeSettings s;
    s.TagTitle = QStringLiteral("aあいうえおかきくけこさしすせそ");  // 1 + 15 x 2 bytes
    s.TagYear = QStringLiteral("20245");
    s.TagComment = QString(40, QLatin1Char('z'));

    const QByteArray tag = MakeID3v1Tag(s);
    ASSERT_EQ(tag.size(), kID3v1TagBytes);
    EXPECT_EQ(tag.mid(3, 30), "a\x82\xa0\x82\xa2\x82\xa4\x82\xa6\x82\xa8\x82\xa9\x82\xab\x82\xad\x82\xaf\x82\xb1\x82\xb3"
                              "\x82\xb5\x82\xb7\x82\xb9 ");
    EXPECT_EQ(tag.mid(93, 4), "2024");
    EXPECT_EQ(tag.mid(97, 30), QByteArray(30, 'z'));
    EXPECT_EQ(tag.at(127), '\0');
}

}  // namespace
}  // namespace tolvane
