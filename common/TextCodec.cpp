#include "TextCodec.h"

#include <QStringDecoder>

#include <algorithm>
#include <cerrno>
#include <iconv.h>

namespace tolvane::TextCodec {

namespace {

// Converts with one iconv descriptor. An input sequence iconv cannot convert is replaced by
// `replacement` and skipped by `skip(lead byte)` bytes, so that damaged text still reads.
template <typename Skip>
QByteArray Convert(const char *to, const char *from, const QByteArray &in, const QByteArray &replacement,
                   Skip skip)
{
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
    if (IsValidUtf8(bytes)) {
        QString text = QString::fromUtf8(bytes);
        if (text.startsWith(QChar(0xFEFF)))
            text.remove(0, 1);
        return text;
    }
    return DecodeCp932(bytes);
}

QString DecodeCp932(const QByteArray &bytes)
{
    return QString::fromUtf8(
        Convert("UTF-8", "CP932", bytes, QByteArrayLiteral("\xEF\xBF\xBD"), [](unsigned char) { return size_t{1}; }));
}

QByteArray EncodeCp932(const QString &text)
{
    return Convert("CP932", "UTF-8", text.toUtf8(), QByteArrayLiteral("?"), Utf8SequenceLength);
}

}  // namespace tolvane::TextCodec
