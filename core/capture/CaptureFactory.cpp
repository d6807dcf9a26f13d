#include "CaptureFactory.h"

#include "core/capture/ClsWaveCapture2File.h"

namespace tolvane {

CaptureFactory::CaptureFactory(std::shared_ptr<const CoreServices> services, SoundSourceConfig source,
                               std::shared_ptr<IEncoderFactory> encoders)
    : m_services(services), m_source(std::move(source)), m_encoders(std::move(encoders))
{
}

std::shared_ptr<ICapturePipeline> CaptureFactory::CreatePipeline()
{
    const std::shared_ptr<const CoreServices> services = m_services.lock();
    if (!services)
        throw NumberedError::Standard(ErrNo::ObjectNotSet, QStringLiteral("CaptureFactory"));
    const auto makeSource = [notifier = services->notifier, source = m_source] { return source.MakeSource(notifier); };
    return std::make_shared<ClsWaveCapture2File>(services, makeSource, m_encoders);
}

}  // namespace tolvane
