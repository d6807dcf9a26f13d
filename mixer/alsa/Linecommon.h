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

}  // namespace tolvane
