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
    // The start of the last loud frame among the whole frames of n samples; -1 when none is.
    // Silence is looked through a chunk at a time without an early exit, which the compiler
    // turns into vector instructions; only the chunk that holds the sound is walked.
    qsizetype LastLoudFrame(const qint16 *d, qsizetype n) const
    {
        constexpr qsizetype kChunk = 32;  // whole frames, counted back from a frame's end
        const int low = zero - threshold;
        const int high = zero + threshold;
        qsizetype end = n / frame * frame;
        for (; end >= kChunk; end -= kChunk) {
            int loud = 0;
            for (qsizetype k = end - kChunk; k < end; ++k)
                loud |= int(d[k] < low) | int(d[k] > high);
            if (loud)
                break;
        }
        for (qsizetype i = end - 1; i >= 0; --i) {
            if (std::abs(int(d[i]) - zero) > threshold)
                return i - i % frame;
        }
        return -1;
    }
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

namespace {

// What passes, as one array: the released samples, then the result.
std::vector<qint16> Joined(SampleSpool<qint16> &released, std::vector<qint16> &&result)
{
    if (released.Empty())
        return std::move(result);
    std::vector<qint16> data = released.Take(released.Size());
    data.insert(data.end(), result.begin(), result.end());
    return data;
}

}  // namespace

std::vector<qint16> ClsFilter::FStartNoSound(std::vector<qint16> &&WaveData, Bit bit, qint32 BlockAlign)
{
    SampleSpool<qint16> released;
    std::vector<qint16> result = FStartNoSound(std::move(WaveData), bit, BlockAlign, released);
    return Joined(released, std::move(result));
}

std::vector<qint16> ClsFilter::FEndNoSound(std::vector<qint16> &&WaveData, Bit bit, qint32 BlockAlign)
{
    SampleSpool<qint16> released;
    std::vector<qint16> result = FEndNoSound(std::move(WaveData), bit, BlockAlign, released);
    return Joined(released, std::move(result));
}

// The held-back samples count as put in front of the block; the scan covers only the block's
// own frames, so held-back samples are never scanned or copied again while they wait.
std::vector<qint16> ClsFilter::FStartNoSound(std::vector<qint16> &&WaveData, Bit bit, qint32 BlockAlign,
                                             SampleSpool<qint16> &released)
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
            if (lastZero < 0) {
                released.Append(std::move(m_held));
                return std::move(WaveData);
            }
            m_held.Clear();
            return std::vector<qint16>(WaveData.begin() + lastZero, WaveData.end());
        }
    }
    // All silence: keep what follows the last zero frame, where the sound may still begin.
    if (lastZero >= 0) {
        m_held.Clear();
        m_held.Append(d + lastZero + t.frame, n - lastZero - t.frame);
    } else {
        // The data's first frame is the cut: it goes, the rest waits.
        const qint64 fromHeld = std::min(t.frame, m_held.Size());
        m_held.DropFront(fromHeld);
        const qsizetype fromBlock = std::min<qsizetype>(t.frame - fromHeld, n);
        m_held.Append(d + fromBlock, n - fromBlock);
    }
    return {t.zero};
}

std::vector<qint16> ClsFilter::FEndNoSound(std::vector<qint16> &&WaveData, Bit bit, qint32 BlockAlign,
                                           SampleSpool<qint16> &released)
{
    if (WaveData.size() == 1)
        return std::move(WaveData);
    const Terms t = Prepare(bit, BlockAlign);
    const qsizetype n = qsizetype(WaveData.size());
    const qsizetype last = t.LastFrame(n);
    const qint16 *d = WaveData.data();

    const qsizetype loud = t.LastLoudFrame(d, n);
    if (loud < 0) {
        m_held.Append(WaveData);
        return {t.zero};
    }
    released.Append(std::move(m_held));
    // The cut goes after the first zero frame behind the sound.
    qsizetype lowestZero = loud + t.frame;
    while (lowestZero < last && !t.Zero(d + lowestZero))
        lowestZero += t.frame;
    lowestZero = std::min(lowestZero, last);
    if (lowestZero == last)
        return std::move(WaveData);
    // Sound, then silence with a zero frame: end the written part on that frame and hold the
    // rest back.
    const qsizetype cut = lowestZero + t.frame;
    m_held.Append(d + cut, n - cut);
    WaveData.resize(size_t(cut));
    return std::move(WaveData);
}

}  // namespace tolvane
