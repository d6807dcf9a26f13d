// Arbitrary bytes through the text decoding and line splitting of the old-file reader, and
// through the time-of-day reader that every schedule time passes.

#include "common/ClsTextSaveLoad.h"
#include "common/TextCodec.h"
#include "core/schedule/TimeOfDay.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const QString text = tolvane::TextCodec::DecodeUtf8OrCp932(bytes);
    const QStringList lines = tolvane::ClsTextSaveLoad::SplitLines(text);
    if (lines.isEmpty())
        __builtin_trap();
    for (const QString &line : lines) {
        if (const auto t = tolvane::ParseTimeOfDay(line)) {
            if (t->count() < 0 || t->count() >= 86400)
                __builtin_trap();
            if (tolvane::ParseTimeOfDay(tolvane::FormatTimeOfDay(*t)) != t)
                __builtin_trap();
        }
    }
    (void)tolvane::TextCodec::EncodeCp932(text);
    return 0;
}
