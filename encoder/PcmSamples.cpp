#include "PcmSamples.h"

#include <QtEndian>

namespace tolvane {

void PcmToSamples(const QByteArray &raw, qsizetype samples, int bits, std::vector<qint16> &out)
{
    out.resize(static_cast<size_t>(samples));
    const auto *bytes = reinterpret_cast<const unsigned char *>(raw.constData());
    if (bits == 16) {
        qFromLittleEndian<qint16>(bytes, samples, out.data());
        return;
    }
    for (qsizetype i = 0; i < samples; ++i)
        out[i] = static_cast<qint16>((bytes[i] - 128) * 256);
}

}  // namespace tolvane
