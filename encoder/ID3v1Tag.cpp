#include "ID3v1Tag.h"

#include "common/TextCodec.h"
#include "encoder/protocol/Mp3EncodeSettings.h"

#include <algorithm>

namespace tolvane {

namespace {

bool IsCp932LeadByte(unsigned char c)
{
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

QByteArray Field(const QString &text, qsizetype length)
{
    const QByteArray bytes = TextCodec::EncodeCp932(text);
    qsizetype kept = 0;
    while (kept < bytes.size()) {
        const qsizetype width = IsCp932LeadByte(static_cast<unsigned char>(bytes[kept])) ? 2 : 1;
        const qsizetype next = std::min(bytes.size(), kept + width);
        if (next > length)
            break;
        kept = next;
    }
    QByteArray field = bytes.left(kept);
    field.append(length - kept, ' ');
    return field;
}

}  // namespace

QByteArray MakeID3v1Tag(const Mp3EncodeSettings &s)
{
    QByteArray tag("TAG");
    tag += Field(s.TagTitle, 30);
    tag += Field(s.TagArtist, 30);
    tag += Field(s.TagAlbum, 30);
    tag += Field(s.TagYear, 4);
    tag += Field(s.TagComment, 30);
    tag += static_cast<char>(s.TagGenre);
    return tag;
}

}  // namespace tolvane
