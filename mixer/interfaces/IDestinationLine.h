#pragma once
// A destination line of a mixer device (the capture side or the playback side), with the
// source lines connected to it and its own controls.

#include "mixer/interfaces/ILineControl.h"
#include "mixer/interfaces/ISourceLine.h"

#include <memory>
#include <vector>

namespace tolvane {

class IDestinationLine {
public:
    virtual ~IDestinationLine() = default;
    virtual qint32 GetnSourceLines() const = 0;
    virtual std::vector<std::shared_ptr<ISourceLine>> SourceLines() const = 0;
    virtual qint32 GetnLineControls() const = 0;
    virtual std::vector<std::shared_ptr<ILineControl>> LineControls() const = 0;
    virtual QString Name() const = 0;
    virtual lvMixerLine LineInfo() const = 0;
};

}  // namespace tolvane
