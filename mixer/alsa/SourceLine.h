#pragma once
// A source line of the ALSA mixer: the elements that share one source name on one side.

#include "mixer/alsa/Linecommon.h"
#include "mixer/interfaces/ISourceLine.h"

namespace tolvane {

class SourceLine : public ISourceLine {
public:
    explicit SourceLine(Linecommon common);

    qint32 GetnLineControls() const override;
    std::vector<std::shared_ptr<ILineControl>> LineControls() const override;
    QString Name() const override;
    lvMixerLine LineInfo() const override;

private:
    Linecommon m_common;
};

}  // namespace tolvane
