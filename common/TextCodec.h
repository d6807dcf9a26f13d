#pragma once
// Text decoding for files that may come from the Japanese Windows program, in CP932
// (Shift_JIS, through iconv), or that a user saved as UTF-8 with an editor.

#include <QByteArray>
#include <QString>

namespace tolvane::TextCodec {

bool IsValidUtf8(const QByteArray &bytes);

// CP932 or UTF-8, whichever the bytes are. Many short texts are valid in both (half-width
// katakana come in byte pairs that UTF-8 takes for two-byte characters, and UTF-8 kana and
// kanji are valid CP932), so when both read, UTF-8 is taken only when the UTF-8 reading is
// what an editor writes: a byte-order mark (dropped), characters of three or four bytes
// (kana, kanji), or two-byte ones only from Latin-1 (accented letters, signs).
QString DecodeUtf8OrCp932(const QByteArray &bytes);

QString DecodeCp932(const QByteArray &bytes);

// CP932 bytes; a character CP932 cannot hold becomes "?".
QByteArray EncodeCp932(const QString &text);

}  // namespace tolvane::TextCodec
