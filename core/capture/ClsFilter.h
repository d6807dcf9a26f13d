#pragma once
// Cuts silence at the start and at the end of a recording block by block, while it runs.
// Leading silence is dropped; trailing silence is held back and released only when sound
// follows it, so the silence still held when the recording stops never reaches the file. Cuts
// fall on frames at exactly the zero level, so a file neither starts nor ends with a click.

#include "core/capture/SampleSpool.h"
#include "core/schedule/ScheduleTypes.h"

#include <vector>

namespace tolvane {

class ClsFilter {
public:
    // Held-back samples beyond memoryBytes wait in a file (see SampleSpool).
    explicit ClsFilter(qint64 memoryBytes = SampleSpool<qint16>::kMemoryBytes) : m_held(memoryBytes) {}

    // The folder for the file of held-back samples, when one is needed.
    void setSpillFolder(const QString &folder) { m_held.setFolder(folder); }

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

    // The same for a recording that may hold back hours: the held-back samples that a call
    // lets go are moved to the end of `released` instead of being put in front of the result,
    // so what passes is `released` followed by the result. Besides error 6 these throw the
    // file error of the held-back samples' file; the recording cannot go on then.
    std::vector<qint16> FStartNoSound(std::vector<qint16> &&WaveData, Bit bit, qint32 BlockAlign,
                                      SampleSpool<qint16> &released);
    std::vector<qint16> FEndNoSound(std::vector<qint16> &&WaveData, Bit bit, qint32 BlockAlign,
                                    SampleSpool<qint16> &released);

private:
    struct Terms;
    Terms Prepare(Bit bit, qint32 BlockAlign) const;

    double m_noSoundVolume = 0;
    // What is held back from earlier blocks, in order. Empty when nothing is held.
    SampleSpool<qint16> m_held;
};

}  // namespace tolvane
