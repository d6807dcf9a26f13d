#include "DestinationLine.h"

namespace tolvane {

DestinationLine::DestinationLine(Linecommon common, std::vector<std::shared_ptr<ISourceLine>> sources)
    : CommonLine(std::move(common)), m_sources(std::move(sources))
{
}

qint32 DestinationLine::GetnSourceLines() const
{
    return static_cast<qint32>(m_sources.size());
}

std::vector<std::shared_ptr<ISourceLine>> DestinationLine::SourceLines() const
{
    return m_sources;
}

}  // namespace tolvane
