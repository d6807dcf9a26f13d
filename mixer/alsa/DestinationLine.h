#pragma once
// A destination line of the ALSA mixer: the playback side or the capture side of a device,
// with its own controls and its source lines.

#include "mixer/alsa/Linecommon.h"
#include "mixer/interfaces/IDestinationLine.h"

namespace tolvane {

class DestinationLine : public CommonLine<IDestinationLine> {
public:
    DestinationLine(Linecommon common, std::vector<std::shared_ptr<ISourceLine>> sources);

    qint32 GetnSourceLines() const override;
    std::vector<std::shared_ptr<ISourceLine>> SourceLines() const override;

private:
    std::vector<std::shared_ptr<ISourceLine>> m_sources;
};

}  // namespace tolvane
