#pragma once
// Makes the program's capture outputs on the configured sound source: a pipeline per WAVE or
// MP3 recording, and the one Windows Media output.

#include "core/capture/ICaptureFactory.h"
#include "core/capture/SoundSourceConfig.h"
#include "core/encoder/IWavFile2MP3.h"
#include "core/platform/CoreServices.h"

#include <functional>
#include <memory>

namespace tolvane {

class CaptureFactory final : public ICaptureFactory {
public:
    // encoders may be null when the MP3 encoder cannot be used; real-time MP3 recordings then
    // fail to prepare.
    CaptureFactory(std::shared_ptr<const CoreServices> services, SoundSourceConfig source,
                   std::shared_ptr<IEncoderFactory> encoders);

    std::shared_ptr<ICapturePipeline> CreatePipeline() override;
    std::shared_ptr<ClsICapture2Output> WindowsMediaOutput() override;
    // FFmpeg offers the WMA encoder and the ASF muxer.
    bool WindowsMediaAvailable() override;

private:
    std::shared_ptr<const CoreServices> Services() const;
    // Makes the configured sound source for one recording.
    std::function<std::unique_ptr<SoundSource>(const SourceChoice &)> SourceMaker(const CoreServices &services) const;

    // The services hold this factory, so it must not hold them.
    std::weak_ptr<const CoreServices> m_services;
    SoundSourceConfig m_source;
    std::shared_ptr<IEncoderFactory> m_encoders;
    std::shared_ptr<ClsICapture2Output> m_windowsMedia;
};

}  // namespace tolvane
