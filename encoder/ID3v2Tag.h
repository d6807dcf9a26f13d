#pragma once
// The ID3 version 2 tag an MP3 file starts with: the same texts as the version 1 tag at its
// end, in UTF-16, which players on Linux read where they would take the CP932 bytes of the
// version 1 tag for Latin-1.

#include <QByteArray>

namespace tolvane {

struct Mp3EncodeSettings;

// Title, artist, album, year and comment as UTF-16 text frames, and the genre when it is one of
// the standard ID3 genres (0 to 147). Made by LAME; empty texts are left out.
QByteArray MakeID3v2Tag(const Mp3EncodeSettings &settings);

}  // namespace tolvane
