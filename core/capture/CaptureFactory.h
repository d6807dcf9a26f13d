#pragma once
// Makes the program's capture pipelines on the configured sound source. There is no Windows
// Media output yet.

#include "core/capture/ICaptureFactory.h"
#include "core/capture/SoundSourceConfig.h"
#include "core/encoder/IWavFile2MP3.h"
#include "core/platform/CoreServices.h"

namespace tolvane {

class CaptureFactory final : public ICaptureFactory {
public:
    // encoders may be null when the MP3 encoder cannot be used; real-time MP3 recordings then
    // fail to prepare.
    CaptureFactory(std::shared_ptr<const CoreServices> services, SoundSourceConfig source,
                   std::shared_ptr<IEncoderFactory> encoders);

    std::shared_ptr<ICapturePipeline> CreatePipeline() override;
    std::shared_ptr<ClsICapture2Output> WindowsMediaOutput() override { return nullptr; }
    bool WindowsMediaAvailable() override { return false; }

private:
    // The services hold this factory, so it must not hold them.
    std::weak_ptr<const CoreServices> m_services;
    SoundSourceConfig m_source;
    std::shared_ptr<IEncoderFactory> m_encoders;
};

}  // namespace tolvane
