#include "MixerSelection.h"

#include "common/NumberedError.h"

namespace tolvane {

namespace {
const QString kSource = QStringLiteral("MixerSelection");
}

std::shared_ptr<ILineControl> MixerSelection::FindMultiplexer(qint32 deviceId) const
{
    if (!m_factory)
        throw NumberedError::Standard(ErrNo::ObjectNotSet, kSource);
    // The tree is a snapshot of the device; the control objects keep what they need to write.
    const std::unique_ptr<IMixer> mixer = m_factory();
    const auto devices = mixer->Devices();
    if (deviceId < 0 || static_cast<size_t>(deviceId) >= devices.size())
        throw NumberedError::Standard(ErrNo::SubscriptOutOfRange, kSource);
    for (const auto &line : devices[static_cast<size_t>(deviceId)]->destinationLines())
        for (const auto &control : line->LineControls())
            if (control->ControlInfo().dwControlType == MixerControlType::Mux)
                return control;
    throw NumberedError(ErrNo::ObjectNotSet, QStringLiteral("the device has no recording source selector"), kSource);
}

void MixerSelection::Apply(qint32 deviceId, qint32 sourceLineIndex)
{
    m_changed = false;
    const auto mux = FindMultiplexer(deviceId);
    std::vector<qint32> values = mux->Values();
    if (sourceLineIndex < 0 || static_cast<size_t>(sourceLineIndex) >= values.size())
        throw NumberedError::Standard(ErrNo::SubscriptOutOfRange, kSource);
    m_saved = values;
    m_deviceId = deviceId;
    std::fill(values.begin(), values.end(), 0);
    values[static_cast<size_t>(sourceLineIndex)] = 1;
    mux->setValues(values);
    m_changed = true;
}

void MixerSelection::Restore()
{
    if (!m_changed)
        return;
    m_changed = false;
    FindMultiplexer(m_deviceId)->setValues(m_saved);
}

}  // namespace tolvane
