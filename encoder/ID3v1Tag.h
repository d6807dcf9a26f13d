#pragma once
// The 128-byte ID3 version 1 tag an MP3 file ends with.

#include <QByteArray>

namespace tolvane {

struct Mp3EncodeSettings;

inline constexpr qsizetype kID3v1TagBytes = 128;

// "TAG", title, artist, album (30 bytes each), year (4), comment (30) and the genre number.
// Texts are converted to CP932 and cut or padded with spaces to their field; a cut never
// splits a double-byte character, whose lead byte alone would garble the last letter.
QByteArray MakeID3v1Tag(const Mp3EncodeSettings &settings);

}  // namespace tolvane
