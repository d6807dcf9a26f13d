#include "CaptureFactory.h"

#include "core/capture/ClsWaveCapture2File.h"

namespace tolvane {

CaptureFactory::CaptureFactory(std::shared_ptr<const CoreServices> services, SoundSourceConfig source,
                               std::shared_ptr<IEncoderFactory> encoders)
    : m_services(std::move(services)), m_source(std::move(source)), m_encoders(std::move(encoders))
{
}

std::shared_ptr<ICapturePipeline> CaptureFactory::CreatePipeline()
{
    const auto makeSource = [services = m_services, source = m_source] { return source.MakeSource(services->notifier); };
    return std::make_shared<ClsWaveCapture2File>(m_services, makeSource, m_encoders);
}

}  // namespace tolvane
