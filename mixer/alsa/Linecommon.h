#pragma once
// What destination and source lines share: the line record and the line's controls.

#include "mixer/alsa/IControlDevice.h"
#include "mixer/interfaces/ILineControl.h"
#include "mixer/interfaces/LevorkRecords.h"

#include <memory>
#include <vector>

namespace tolvane {

class Linecommon {
public:
    // line: the record without its channel and control counts, which follow from the elements.
    Linecommon(lvMixerLine line, const std::vector<ControlElement> &elements,
               const std::shared_ptr<IControlDevice> &device);

    qint32 GetnLineControls() const;
    std::vector<std::shared_ptr<ILineControl>> LineControls() const;
    QString Name() const;
    lvMixerLine LineInfo() const;

private:
    lvMixerLine m_line;
    std::vector<std::shared_ptr<ILineControl>> m_controls;
};

// The members that both line interfaces have, answered from the line's Linecommon.
template <typename LineInterface>
class CommonLine : public LineInterface {
public:
    explicit CommonLine(Linecommon common) : m_common(std::move(common)) {}

    qint32 GetnLineControls() const override { return m_common.GetnLineControls(); }
    std::vector<std::shared_ptr<ILineControl>> LineControls() const override { return m_common.LineControls(); }
    QString Name() const override { return m_common.Name(); }
    lvMixerLine LineInfo() const override { return m_common.LineInfo(); }

private:
    Linecommon m_common;
};

}  // namespace tolvane
