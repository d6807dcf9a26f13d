#include "ClsFilter.h"

#include "common/NumberedError.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace tolvane {

// The data's zero level and threshold and its frame length, derived on every call.
struct ClsFilter::Terms {
    qint16 zero;
    int threshold;
    qsizetype frame;

    bool Loud(const qint16 *f) const
    {
        for (qsizetype c = 0; c < frame; ++c) {
            if (std::abs(int(f[c]) - zero) > threshold)
                return true;
        }
        return false;
    }
    bool Zero(const qint16 *f) const
    {
        for (qsizetype c = 0; c < frame; ++c) {
            if (f[c] != zero)
                return false;
        }
        return true;
    }
    // The start of the last whole frame of n samples.
    qsizetype LastFrame(qsizetype n) const { return (n / frame - 1) * frame; }
};

ClsFilter::Terms ClsFilter::Prepare(Bit bit, qint32 BlockAlign) const
{
    const bool sixteen = bit == Bit::Hi16bit;
    const double threshold = std::nearbyint(m_noSoundVolume * (sixteen ? 32768.0 : 128.0) / 100.0);
    if (!(threshold >= -32768 && threshold <= 32767))
        throw NumberedError::Standard(ErrNo::Overflow, QStringLiteral("ClsFilter"));
    const bool mono = BlockAlign == 1 || (sixteen && BlockAlign == 2);
    return Terms{qint16(sixteen ? 0 : 128), int(threshold), mono ? 1 : 2};
}

std::vector<qint16> ClsFilter::HeldThen(std::vector<qint16> &&block, qsizetype end)
{
    if (m_held.empty()) {
        block.resize(size_t(end));
        return std::move(block);
    }
    size_t size = size_t(end);
    for (const auto &piece : m_held)
        size += piece.size();
    std::vector<qint16> data;
    data.reserve(size);
    for (const auto &piece : m_held)
        data.insert(data.end(), piece.begin(), piece.end());
    data.insert(data.end(), block.begin(), block.begin() + end);
    m_held.clear();
    return data;
}

void ClsFilter::Hold(std::vector<qint16> samples)
{
    m_held.clear();
    if (!samples.empty())
        m_held.push_back(std::move(samples));
}

// The held-back samples count as put in front of the block; the scan covers only the block's
// own frames, so held-back samples are never scanned or copied twice.
std::vector<qint16> ClsFilter::FStartNoSound(std::vector<qint16> &&WaveData, Bit bit, qint32 BlockAlign)
{
    if (WaveData.size() == 1)
        return std::move(WaveData);
    const Terms t = Prepare(bit, BlockAlign);
    const qsizetype n = qsizetype(WaveData.size());
    const qint16 *d = WaveData.data();

    qsizetype lastZero = -1;  // in the block; -1 stands for the first frame of the held data
    for (qsizetype i = 0; i + t.frame <= n; i += t.frame) {
        if (t.Zero(d + i))
            lastZero = i;
        if (t.Loud(d + i)) {
            if (lastZero < 0)
                return HeldThen(std::move(WaveData), n);
            m_held.clear();
            return std::vector<qint16>(WaveData.begin() + lastZero, WaveData.end());
        }
    }
    // All silence: keep what follows the last zero frame, where the sound may still begin.
    if (lastZero >= 0) {
        Hold({WaveData.begin() + lastZero + t.frame, WaveData.end()});
    } else {
        const std::vector<qint16> data = HeldThen(std::move(WaveData), n);
        Hold({data.begin() + std::min(t.frame, qsizetype(data.size())), data.end()});
    }
    return {t.zero};
}

std::vector<qint16> ClsFilter::FEndNoSound(std::vector<qint16> &&WaveData, Bit bit, qint32 BlockAlign)
{
    if (WaveData.size() == 1)
        return std::move(WaveData);
    const Terms t = Prepare(bit, BlockAlign);
    const qsizetype n = qsizetype(WaveData.size());
    const qsizetype last = t.LastFrame(n);
    const qint16 *d = WaveData.data();

    qsizetype lowestZero = last;
    bool loud = false;
    for (qsizetype i = last; i >= 0; i -= t.frame) {
        if (t.threshold >= 0 && t.Zero(d + i)) {  // never loud, and common in silence
            lowestZero = i;
            continue;
        }
        if (t.Loud(d + i)) {
            loud = true;
            break;
        }
    }
    if (!loud) {
        m_held.push_back(std::move(WaveData));
        return {t.zero};
    }
    if (lowestZero == last)
        return HeldThen(std::move(WaveData), n);
    // Sound, then silence with a zero frame: end the written part on that frame and hold the
    // rest back.
    const qsizetype cut = lowestZero + t.frame;
    std::vector<qint16> rest(WaveData.begin() + cut, WaveData.end());
    std::vector<qint16> out = HeldThen(std::move(WaveData), cut);
    Hold(std::move(rest));
    return out;
}

}  // namespace tolvane
