#pragma once
// One mixer device: an entry of the shared sound device list with its ALSA controls, laid out
// as a playback and a capture destination line.

#include "mixer/alsa/IControlSystem.h"
#include "mixer/interfaces/IDevice.h"

namespace tolvane {

class Device : public IDevice {
public:
    // index: the device's place in the list (its DeviceID). A device whose controls cannot be
    // opened keeps its place, with two empty destination lines.
    Device(qint32 index, const SoundDevice &entry, const IControlSystem &system);

    qint32 GetndestinationLines() const override;
    std::vector<std::shared_ptr<IDestinationLine>> destinationLines() const override;
    QString Name() const override;
    lvMIXERCAPS MixerCaps() const override;

private:
    lvMIXERCAPS m_caps;
    std::vector<std::shared_ptr<IDestinationLine>> m_destinations;
};

}  // namespace tolvane
