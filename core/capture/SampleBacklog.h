#pragma once
// Sound that has passed the silence filter and waits to be written, oldest first, block by
// block: a long silence that the filter lets go at once, and what arrives while it is being
// written. The pipeline writes it in pieces over the blocks that follow, so that no write and
// no message to the encoder is large and no block's turn takes long; beyond a few seconds it
// waits in a file (see SampleSpool).

#include "core/capture/SampleSpool.h"

#include <deque>
#include <span>
#include <vector>

namespace tolvane {

class SampleBacklog {
public:
    struct Piece {
        std::span<const qint16> samples;  // 8-bit sound as the values 0 to 255
        bool endsBlock = false;           // the last samples of a block (the silence splitter decides there)
        bool stop = false;                // that block came while the recording was stopping
    };

    void setSpillFolder(const QString &folder) { m_spool.setFolder(folder); }

    // Samples put here open the next block (the filter lets its held-back samples go here).
    SampleSpool<qint16> &Opening() { return m_spool; }
    // Ends the block that the samples in Opening began; an empty block counts too. Throws as
    // SampleSpool::Append.
    void Push(const std::vector<qint16> &block, bool stop);
    void Push(const std::vector<quint8> &block, bool stop);

    // No block waits (samples in Opening do not count).
    bool Empty() const { return m_blocks.empty(); }
    // At most max samples of the oldest block, left in place until DropFront: a view of the
    // backlog's memory, or of scratch when they come from its file; valid until the backlog
    // changes. Throws as SampleSpool::Take.
    Piece Front(qint64 max, std::vector<qint16> &scratch) const;
    // Removes the samples of the piece that Front gave.
    void DropFront(const Piece &piece);
    void Clear();

private:
    void EndBlock(bool stop);

    struct Block {
        qint64 left;
        bool stop;
    };
    SampleSpool<qint16> m_spool;
    std::deque<Block> m_blocks;
    qint64 m_inBlocks = 0;  // the spool's samples that belong to the blocks (the rest open the next)
};

}  // namespace tolvane
