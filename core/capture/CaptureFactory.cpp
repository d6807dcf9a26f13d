#include "CaptureFactory.h"

#include "core/capture/ClsWaveCapture2File.h"
#include "core/capture/FrmWME.h"
#include "core/capture/WmaFileWriter.h"

namespace tolvane {

CaptureFactory::CaptureFactory(std::shared_ptr<const CoreServices> services, SoundSourceConfig source,
                               std::shared_ptr<IEncoderFactory> encoders)
    : m_services(services), m_source(std::move(source)), m_encoders(std::move(encoders))
{
}

std::shared_ptr<const CoreServices> CaptureFactory::Services() const
{
    std::shared_ptr<const CoreServices> services = m_services.lock();
    if (!services)
        throw NumberedError::Standard(ErrNo::ObjectNotSet, QStringLiteral("CaptureFactory"));
    return services;
}

std::function<std::unique_ptr<SoundSource>(const SourceChoice &)> CaptureFactory::SourceMaker(
    const CoreServices &services) const
{
    return [notifier = services.notifier, source = m_source](const SourceChoice &choice) {
        return source.MakeSource(notifier, choice);
    };
}

std::shared_ptr<ICapturePipeline> CaptureFactory::CreatePipeline()
{
    const std::shared_ptr<const CoreServices> services = Services();
    return std::make_shared<ClsWaveCapture2File>(services, SourceMaker(*services), m_encoders);
}

std::shared_ptr<ClsICapture2Output> CaptureFactory::WindowsMediaOutput()
{
    if (!m_windowsMedia) {
        const std::shared_ptr<const CoreServices> services = Services();
        m_windowsMedia =
            std::make_shared<FrmWME>(services->appFolder, services->notifier, services->clock, SourceMaker(*services));
    }
    return m_windowsMedia;
}

bool CaptureFactory::WindowsMediaAvailable() { return WmaFileWriter::Available(); }

}  // namespace tolvane
