#include "Linecommon.h"

#include "mixer/alsa/LineControl.h"

#include <algorithm>

namespace tolvane {

// A line has as many channels as its widest element, so that a per-channel control shows them all.
Linecommon::Linecommon(lvMixerLine line, const std::vector<ControlElement> &elements,
                       const std::shared_ptr<IControlDevice> &device)
    : m_line(std::move(line))
{
    m_line.cChannels = 1;
    for (const ControlElement &element : elements)
        m_line.cChannels = std::max(m_line.cChannels, element.count);
    m_line.cControls = static_cast<qint32>(elements.size());
    for (const ControlElement &element : elements)
        m_controls.push_back(std::make_shared<LineControl>(device, element, m_line.cChannels));
}

qint32 Linecommon::GetnLineControls() const
{
    return static_cast<qint32>(m_controls.size());
}

std::vector<std::shared_ptr<ILineControl>> Linecommon::LineControls() const
{
    return m_controls;
}

QString Linecommon::Name() const
{
    return m_line.szName;
}

lvMixerLine Linecommon::LineInfo() const
{
    return m_line;
}

}  // namespace tolvane
