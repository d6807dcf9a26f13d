#include "SourceLine.h"

namespace tolvane {

SourceLine::SourceLine(Linecommon common) : m_common(std::move(common)) {}

qint32 SourceLine::GetnLineControls() const
{
    return m_common.GetnLineControls();
}

std::vector<std::shared_ptr<ILineControl>> SourceLine::LineControls() const
{
    return m_common.LineControls();
}

QString SourceLine::Name() const
{
    return m_common.Name();
}

lvMixerLine SourceLine::LineInfo() const
{
    return m_common.LineInfo();
}

}  // namespace tolvane
