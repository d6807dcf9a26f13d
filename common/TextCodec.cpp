#include "TextCodec.h"

#include <QStringDecoder>

#include <algorithm>
#include <cerrno>
#include <iconv.h>

namespace tolvane::TextCodec {

namespace {

// Converts with one iconv descriptor. An input sequence iconv cannot convert is replaced by
// `replacement` and skipped by `skip(lead byte)` bytes, so that damaged text still reads;
// `damaged` (when given) tells whether that happened.
template <typename Skip>
QByteArray Convert(const char *to, const char *from, const QByteArray &in, const QByteArray &replacement,
                   Skip skip, bool *damaged = nullptr)
{
    if (damaged)
        *damaged = false;
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return {};
    QByteArray out;
    out.reserve(in.size() * 2 + 8);
    char *src = const_cast<char *>(in.constData());
    size_t srcLeft = static_cast<size_t>(in.size());
    char buffer[4096];
    while (srcLeft > 0) {
        char *dst = buffer;
        size_t dstLeft = sizeof buffer;
        const size_t rc = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
        out.append(buffer, static_cast<qsizetype>(sizeof buffer - dstLeft));
        if (rc != static_cast<size_t>(-1) || errno == E2BIG)
            continue;
        // EILSEQ, or EINVAL for a sequence cut off at the end: replace it and go on.
        if (damaged)
            *damaged = true;
        out.append(replacement);
        const size_t step = std::min(srcLeft, skip(static_cast<unsigned char>(*src)));
        src += step;
        srcLeft -= step;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    iconv_close(cd);
    return out;
}

size_t Utf8SequenceLength(unsigned char lead)
{
    return lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
}

QByteArray Cp932ToUtf8(const QByteArray &bytes, bool *damaged = nullptr)
{
    return Convert("UTF-8", "CP932", bytes, QByteArrayLiteral("\xEF\xBF\xBD"), [](unsigned char) { return size_t{1}; },
                   damaged);
}

// Whether valid UTF-8 text reads as an editor writes it rather than as CP932 bytes that
// happen to pair up (half-width katakana give characters from U+0080 to U+07FF: Hebrew,
// Arabic, Thaana and the like).
bool LooksLikeUtf8Text(const QString &text)
{
    bool latin1Only = true;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u >= 0x800)
            return true;
        if ((u >= 0x80 && u < 0xA0) || u > 0xFF)
            latin1Only = false;
    }
    return latin1Only;
}

}  // namespace

bool IsValidUtf8(const QByteArray &bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(bytes);
    Q_UNUSED(text);
    return !decoder.hasError();
}

QString DecodeUtf8OrCp932(const QByteArray &bytes)
{
    if (!IsValidUtf8(bytes))
        return DecodeCp932(bytes);
    QString text = QString::fromUtf8(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        return text.remove(0, 1);
    if (LooksLikeUtf8Text(text))
        return text;
    bool damaged = false;
    const QByteArray cp932 = Cp932ToUtf8(bytes, &damaged);
    return damaged ? text : QString::fromUtf8(cp932);
}

QString DecodeCp932(const QByteArray &bytes)
{
    return QString::fromUtf8(Cp932ToUtf8(bytes));
}

QByteArray EncodeCp932(const QString &text)
{
    return Convert("CP932", "UTF-8", text.toUtf8(), QByteArrayLiteral("?"), Utf8SequenceLength);
}

}  // namespace tolvane::TextCodec
