#pragma once
// A source line of the ALSA mixer: the elements that share one source name on one side.

#include "mixer/alsa/Linecommon.h"
#include "mixer/interfaces/ISourceLine.h"

namespace tolvane {

class SourceLine : public CommonLine<ISourceLine> {
public:
    using CommonLine::CommonLine;
};

}  // namespace tolvane
