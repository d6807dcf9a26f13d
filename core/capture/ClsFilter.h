#pragma once
// Cuts silence at the start and at the end of a recording block by block, while it runs.
// Leading silence is dropped; trailing silence is held back and released only when sound
// follows it, so the silence still held when the recording stops never reaches the file. Cuts
// fall on frames at exactly the zero level, so a file neither starts nor ends with a click.

#include "core/schedule/ScheduleTypes.h"

#include <vector>

namespace tolvane {

class ClsFilter {
public:
    // The silence level in percent of full scale.
    double NoSoundVolume() const { return m_noSoundVolume; }
    void setNoSoundVolume(double v) { m_noSoundVolume = v; }

    // Blocks are 16-bit values, channels interleaved: the samples themselves for 16-bit audio,
    // the unsigned bytes 0 to 255 for 8-bit audio. BlockAlign is the capture's bytes per frame.
    // Both return the part of the block to write, or the placeholder (one element at the zero
    // level) when nothing is to be written; a one-element block comes back unchanged. They
    // throw error 6 when NoSoundVolume puts the threshold outside the 16-bit range, and then
    // leave the block untouched.
    std::vector<qint16> FStartNoSound(std::vector<qint16> &&WaveData, Bit bit, qint32 BlockAlign);
    std::vector<qint16> FEndNoSound(std::vector<qint16> &&WaveData, Bit bit, qint32 BlockAlign);

private:
    struct Terms;
    Terms Prepare(Bit bit, qint32 BlockAlign) const;
    // The held-back samples followed by the block's samples [0, end); nothing is held after.
    std::vector<qint16> HeldThen(std::vector<qint16> &&block, qsizetype end);
    void Hold(std::vector<qint16> samples);

    double m_noSoundVolume = 0;
    // What is held back from earlier blocks, in order, as the pieces it came in: a long silence
    // is kept block by block and joined once, when sound follows. Empty when nothing is held.
    std::vector<std::vector<qint16>> m_held;
};

}  // namespace tolvane
