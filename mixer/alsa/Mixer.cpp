#include "Mixer.h"

#include "common/NumberedError.h"
#include "mixer/alsa/AlsaControlSystem.h"
#include "mixer/alsa/Device.h"

namespace tolvane {

Mixer::Mixer() : Mixer(AlsaControlSystem()) {}

Mixer::Mixer(const IControlSystem &system)
{
    const std::vector<SoundDevice> devices = system.Devices();
    if (devices.empty())
        throw NumberedError(ErrNo::NoMixerDevice, QStringLiteral("システム上にミキサーデバイスが存在しません。"));
    for (qint32 i = 0; i < static_cast<qint32>(devices.size()); ++i)
        m_devices.push_back(std::make_shared<Device>(i, devices[static_cast<size_t>(i)], system));
}

qint32 Mixer::GetnDevices() const
{
    return static_cast<qint32>(m_devices.size());
}

std::vector<std::shared_ptr<IDevice>> Mixer::Devices() const
{
    return m_devices;
}

MixerFactory Mixer::Factory()
{
    return [] { return std::make_unique<Mixer>(); };
}

}  // namespace tolvane
