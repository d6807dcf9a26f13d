#pragma once
// A source line of a mixer destination (microphone, line in, ...) with its controls.

#include "mixer/interfaces/ILineControl.h"

#include <memory>
#include <vector>

namespace tolvane {

class ISourceLine {
public:
    virtual ~ISourceLine() = default;
    virtual qint32 GetnLineControls() const = 0;
    virtual std::vector<std::shared_ptr<ILineControl>> LineControls() const = 0;
    virtual QString Name() const = 0;
    virtual lvMixerLine LineInfo() const = 0;
};

}  // namespace tolvane
