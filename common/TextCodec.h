#pragma once
// Text decoding for files that may come from the Japanese Windows program: UTF-8 when the
// bytes are valid UTF-8, otherwise CP932 (Shift_JIS), through iconv.

#include <QByteArray>
#include <QString>

namespace tolvane::TextCodec {

bool IsValidUtf8(const QByteArray &bytes);

// UTF-8 (a leading byte-order mark is dropped) when valid, else CP932.
QString DecodeUtf8OrCp932(const QByteArray &bytes);

QString DecodeCp932(const QByteArray &bytes);

// CP932 bytes; a character CP932 cannot hold becomes "?".
QByteArray EncodeCp932(const QString &text);

}  // namespace tolvane::TextCodec
