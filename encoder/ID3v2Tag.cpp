#include "ID3v2Tag.h"

#include "encoder/protocol/Mp3EncodeSettings.h"

#include <lame/lame.h>

#include <memory>
#include <vector>

namespace tolvane {

namespace {

// LAME reads the byte order from a byte order mark and stops at a zero.
std::vector<unsigned short> Utf16(const QString &text)
{
    std::vector<unsigned short> units{0xFEFF};
    for (const QChar c : text)
        units.push_back(c.unicode());
    units.push_back(0);
    return units;
}

}  // namespace

QByteArray MakeID3v2Tag(const Mp3EncodeSettings &s)
{
    const std::unique_ptr<lame_global_flags, int (*)(lame_global_flags *)> lame(lame_init(), &lame_close);
    if (!lame)
        return {};
    id3tag_init(lame.get());
    id3tag_v2_only(lame.get());
    const std::pair<const char *, const QString *> frames[] = {
        {"TIT2", &s.TagTitle}, {"TPE1", &s.TagArtist}, {"TALB", &s.TagAlbum}, {"TYER", &s.TagYear}};
    for (const auto &[id, text] : frames) {
        if (!text->isEmpty())
            id3tag_set_textinfo_utf16(lame.get(), id, Utf16(*text).data());
    }
    if (!s.TagComment.isEmpty())
        id3tag_set_comment_utf16(lame.get(), "jpn", Utf16(QString()).data(), Utf16(s.TagComment).data());
    // The numbers above 147 are an extension of the version 1 list that version 2 has no names for.
    if (s.TagGenre <= 147)
        id3tag_set_genre(lame.get(), QByteArray::number(s.TagGenre).constData());

    const size_t size = lame_get_id3v2_tag(lame.get(), nullptr, 0);
    QByteArray tag(static_cast<qsizetype>(size), '\0');
    if (size == 0 || lame_get_id3v2_tag(lame.get(), reinterpret_cast<unsigned char *>(tag.data()), size) != size)
        return {};
    return tag;
}

}  // namespace tolvane
