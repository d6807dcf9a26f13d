#include "DestinationLine.h"

namespace tolvane {

DestinationLine::DestinationLine(Linecommon common, std::vector<std::shared_ptr<ISourceLine>> sources)
    : m_common(std::move(common)), m_sources(std::move(sources))
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

qint32 DestinationLine::GetnLineControls() const
{
    return m_common.GetnLineControls();
}

std::vector<std::shared_ptr<ILineControl>> DestinationLine::LineControls() const
{
    return m_common.LineControls();
}

QString DestinationLine::Name() const
{
    return m_common.Name();
}

lvMixerLine DestinationLine::LineInfo() const
{
    return m_common.LineInfo();
}

}  // namespace tolvane
