#pragma once
// PCM bytes as LAME takes them: signed 16-bit samples.

#include <QByteArray>
#include <QtGlobal>

#include <vector>

namespace tolvane {

// Replaces out with the first `samples` samples of raw: 16-bit little-endian as they are,
// 8-bit unsigned (zero level 128) scaled up to 16 bits around zero.
void PcmToSamples(const QByteArray &raw, qsizetype samples, int bits, std::vector<qint16> &out);

}  // namespace tolvane
