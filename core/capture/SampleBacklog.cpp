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

SampleBacklog::Piece SampleBacklog::Take(qint64 max)
{
    if (m_blocks.empty())
        return {};
    Block &block = m_blocks.front();
    Piece piece{m_spool.Take(std::min(max, block.left)), false, block.stop};
    block.left -= qint64(piece.samples.size());
    m_inBlocks -= qint64(piece.samples.size());
    if (block.left == 0) {
        piece.endsBlock = true;
        m_blocks.pop_front();
    }
    return piece;
}

void SampleBacklog::Clear()
{
    m_spool.Clear();
    m_blocks.clear();
    m_inBlocks = 0;
}

}  // namespace tolvane
