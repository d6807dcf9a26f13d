#include "LevelMeter.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace tolvane {

void LevelMeter::Reset(bool sixteenBit)
{
    m_sixteenBit = sixteenBit;
    m_held.reset();
}

template <typename Sample, typename Magnitude>
std::array<int, 2> LevelMeter::Peaks(const std::vector<Sample> &block, bool stereo, Magnitude magnitude)
{
    std::array<int, 2> peaks{0, 0};
    const size_t step = stereo ? 2 : 1;
    for (size_t i = 0; i < block.size(); i += step) {
        peaks[0] = std::max(peaks[0], magnitude(block[i]));
        if (stereo && i + 1 < block.size())
            peaks[1] = std::max(peaks[1], magnitude(block[i + 1]));
    }
    if (!stereo)
        peaks[1] = peaks[0];
    return peaks;
}

LevelMeter::Result LevelMeter::Feed16(const std::vector<qint16> &block, bool stereo)
{
    // -32768 has no positive twin; it counts as full scale.
    const auto magnitude = [](qint16 s) { return std::min(std::abs(int{s}), 32767); };
    return Evaluate(Peaks(block, stereo, magnitude), 32767.0, 96.0);
}

LevelMeter::Result LevelMeter::Feed8(const std::vector<quint8> &block, bool stereo)
{
    // Unsigned samples around 128; 0 would be one step beyond full scale.
    const auto magnitude = [](quint8 s) { return std::min(std::abs(int{s} - 128), 127); };
    return Evaluate(Peaks(block, stereo, magnitude), 127.0, 48.0);
}

LevelMeter::Result LevelMeter::Evaluate(std::array<int, 2> peaks, double fullScale, double barTop)
{
    Result r;
    std::array<Reading, 2> readings;
    for (size_t c = 0; c < 2; ++c) {
        if (peaks[c] == 0) {
            r.bars[c] = Minimum();
            continue;
        }
        const double dB = 20.0 * std::log10(peaks[c] / fullScale);
        readings[c] = dB;
        r.bars[c] = std::clamp(static_cast<int>(std::lround(barTop + dB)), Minimum(), Maximum());
    }
    // The channel with the larger peak.
    const Reading loudest = peaks[1] > peaks[0] ? readings[1] : readings[0];
    if (loudest && (!m_held || *m_held < *loudest))
        m_held = loudest;
    return r;
}

QString LevelMeter::HeldPeakText() const
{
    const QString value = m_held ? QString::number(*m_held, 'f', 3) : QStringLiteral("-inf");
    return QCoreApplication::translate("tolvane::LevelMeter", "%1dBの入力がありました。\n(0dBに近い場合音が歪んでいる可能性があります)")
        .arg(value);
}

}  // namespace tolvane
