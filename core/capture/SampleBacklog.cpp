#include "SampleBacklog.h"

namespace tolvane {

void SampleBacklog::Push(const std::vector<qint16> &block, bool stop)
{
    m_spool.Append(block);
    EndBlock(stop);
}

void SampleBacklog::Push(const std::vector<quint8> &block, bool stop)
{
    m_spool.Append(std::vector<qint16>(block.begin(), block.end()));
    EndBlock(stop);
}

void SampleBacklog::EndBlock(bool stop)
{
    m_blocks.push_back(Block{m_spool.Size() - m_inBlocks, stop});
    m_inBlocks = m_spool.Size();
}

SampleBacklog::Piece SampleBacklog::Front(qint64 max, std::vector<qint16> &scratch) const
{
    if (m_blocks.empty())
        return {};
    const Block &block = m_blocks.front();
    const std::span<const qint16> samples = m_spool.Front(std::min(max, block.left), scratch);
    return Piece{samples, qint64(samples.size()) == block.left, block.stop};
}

void SampleBacklog::DropFront(const Piece &piece)
{
    if (m_blocks.empty())
        return;
    const qint64 count = qint64(piece.samples.size());
    m_spool.DropFront(count);
    m_inBlocks -= count;
    Block &block = m_blocks.front();
    block.left -= count;
    if (block.left == 0)
        m_blocks.pop_front();
}

void SampleBacklog::Clear()
{
    m_spool.Clear();
    m_blocks.clear();
    m_inBlocks = 0;
}

}  // namespace tolvane
