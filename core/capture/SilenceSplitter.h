#pragma once
// Finds where a recording is to be split at a long silence: the file ends where the silence
// begins, the silence goes into a file of its own, and the sound that follows opens the next.
// It works block by block and carries samples over while it cannot yet decide.

#include <QtGlobal>

#include <vector>

namespace tolvane {

template <typename Sample>
class SilenceSplitter {
public:
    struct Result {
        std::vector<Sample> block;  // what to write now; empty when nothing is
        bool morePending = false;   // samples are carried over to the next call
        bool splitHere = false;     // close the current file after writing block
    };

    // zeroLevel 0 (16-bit) or 128 (8-bit); a stretch is quiet while no sample strays from the
    // zero level by more than threshold; requiredSamples counts every channel's samples.
    SilenceSplitter(int zeroLevel, qint64 threshold, qint64 requiredSamples, int channels);

    // One block (empty for none). When the recording is stopping, a silence that is not long
    // enough yet is not carried over but written.
    Result Split(std::vector<Sample> block, bool stopRequested);

private:
    enum class State { Start, Sound, Silence, LongSilence };

    bool ZeroFrame(const Sample *f) const;
    // Where the segment that begins at start ends (just before the next zero frame), and
    // whether any of its samples strays above the threshold.
    qsizetype SegmentEnd(const Sample *d, qsizetype start, qsizetype n, bool &loud) const;

    int m_zero;
    int m_threshold;
    qint64 m_required;
    qsizetype m_frame;
    State m_state = State::Start;
    std::vector<Sample> m_carried;
};

extern template class SilenceSplitter<quint8>;
extern template class SilenceSplitter<qint16>;

}  // namespace tolvane
