#pragma once
// Finds where a recording is to be split at a long silence: the file ends where the silence
// begins, the silence goes into a file of its own, and the sound that follows opens the next.
// It works block by block and carries samples over while it cannot yet decide.
//
// Each sample is looked at once, however long a silence is carried over, and what is carried
// beyond a few seconds waits in a file (see SampleSpool), so a split length of an hour costs
// neither time nor memory.

#include "core/capture/SampleSpool.h"

#include <QtGlobal>

#include <deque>
#include <span>
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
    // As Result, with the samples to write left in the splitter: count of them, for TakeOutput.
    struct Decision {
        qint64 count = 0;
        bool morePending = false;
        bool splitHere = false;
    };

    // zeroLevel 0 (16-bit) or 128 (8-bit); a stretch is quiet while no sample strays from the
    // zero level by more than threshold; requiredSamples counts every channel's samples.
    // Carried-over samples beyond memoryBytes wait in a file.
    SilenceSplitter(int zeroLevel, qint64 threshold, qint64 requiredSamples, int channels,
                    qint64 memoryBytes = SampleSpool<Sample>::kMemoryBytes);

    // The folder for the file of carried-over samples, when one is needed.
    void setSpillFolder(const QString &folder) { m_data.setFolder(folder); }

    // One block (empty for none). When the recording is stopping, a silence that is not long
    // enough yet is not carried over but written.
    Result Split(std::vector<Sample> block, bool stopRequested);

    // Split in steps, for a block of any length: its samples are fed in pieces of any size, then
    // End decides as Split does, and the samples to write now are taken with TakeOutput, all of
    // them before the next block is fed. Feed and TakeOutput throw the file error of the
    // carried-over samples' file; the recording cannot go on then.
    void Feed(const Sample *samples, qsizetype count);
    Decision End(bool stopRequested);
    std::vector<Sample> TakeOutput(qint64 max);
    // As TakeOutput in two steps: at most max samples to write, left in place until DropOutput
    // (a view of the splitter's memory, or of scratch when they come from its file; valid until
    // the splitter changes), then their removal.
    std::span<const Sample> FrontOutput(qint64 max, std::vector<Sample> &scratch) const;
    void DropOutput(qint64 count);
    qint64 OutputLeft() const { return m_outputEnd - m_front; }
    // Drops everything held (a recording that cannot be written any more).
    void Clear();

private:
    enum class State { Start, Sound, Silence, LongSilence };

    bool ZeroFrame(const Sample *f) const;
    bool LoudFrame(const Sample *f, qsizetype count) const;
    // Index of the first zero frame among the whole frames of d[from, end).
    qsizetype NextZeroFrame(const Sample *d, qsizetype from, qsizetype end) const;
    // Index of the last zero frame of the run of them that begins at `from`.
    qsizetype LastZeroFrameOfRun(const Sample *d, qsizetype from, qsizetype end) const;
    // Moves the walk over samples that follow everything walked so far (at stream position at).
    void Walk(const Sample *d, qsizetype n, qint64 at);
    // One frame of the walk, at stream position at.
    void WalkFrame(const Sample *f, qint64 at);
    // The segment [start, end) has ended: the state machine takes it.
    void Segment(qint64 start, qint64 end, bool loud);
    // count one-frame quiet segments from `start` on, taken at once.
    void ZeroSegments(qint64 start, qint64 count);
    Decision Output(qint64 end, bool morePending, bool splitHere);

    int m_zero;
    int m_threshold;
    qint64 m_required;
    qsizetype m_frame;
    State m_state = State::Start;

    // Stream positions count every sample fed since the start. The spool holds [m_front,
    // m_end): first what was decided to be written and is not taken yet (up to m_outputEnd),
    // then what is carried over.
    SampleSpool<Sample> m_data;
    qint64 m_front = 0;
    qint64 m_outputEnd = 0;
    qint64 m_end = 0;

    // The walk: every segment before m_segmentStart has been taken by the state machine, and
    // the points it decided to split at wait in m_cuts until a call reports them, one per call.
    // The segment under way is taken as it stands when a call ends without a cut; it is taken
    // again when more of it comes, as the carried-over samples are walked again in the rules.
    qint64 m_silenceStart = 0;
    qint64 m_segmentStart = 0;
    bool m_segmentBegun = false;  // its first frame, which belongs to it whatever it holds, is in
    bool m_segmentLoud = false;
    std::vector<Sample> m_partialFrame;  // the start of a frame whose rest has not come yet
    std::deque<qint64> m_cuts;
    // The last call ended in a silence that was written whole (the recording was stopping):
    // the next samples start the silence again.
    bool m_silenceRestarts = false;
};

extern template class SilenceSplitter<quint8>;
extern template class SilenceSplitter<qint16>;

}  // namespace tolvane
