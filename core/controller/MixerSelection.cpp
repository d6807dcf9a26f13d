#include "MixerSelection.h"

#include "common/NumberedError.h"

#include <algorithm>

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
    m_applied = std::move(values);
    m_changed = true;
}

void MixerSelection::Restore()
{
    if (!m_changed)
        return;
    m_changed = false;
    const auto mux = FindMultiplexer(m_deviceId);
    const qint32 perChannel = mux->ControlInfo().cMultipleItems;
    const size_t items = perChannel > 0 ? static_cast<size_t>(perChannel) : m_saved.size();
    std::vector<qint32> values = m_applied;
    bool unknown = false;
    for (size_t first = 0; first < m_saved.size(); first += items) {
        const auto begin = m_saved.begin() + static_cast<std::ptrdiff_t>(first);
        const auto end = begin + static_cast<std::ptrdiff_t>(std::min(items, m_saved.size() - first));
        if (std::any_of(begin, end, [](qint32 v) { return v != 0; }))
            std::copy(begin, end, values.begin() + static_cast<std::ptrdiff_t>(first));
        else
            unknown = true;
    }
    if (values != m_applied)
        mux->setValues(values);
    if (!unknown)
        return;
    const auto selected = std::find(m_applied.begin(), m_applied.end(), 1) - m_applied.begin();
    const auto names = mux->ListTextValues();
    const QString item = selected < static_cast<std::ptrdiff_t>(names.size())
                             ? names[static_cast<size_t>(selected)].szName
                             : QString::number(selected);
    throw NumberedError(ErrNo::InvalidProcedureCall,
                        QStringLiteral("%1: the input selected before the recording could not be read, so \"%2\" "
                                       "stays selected")
                            .arg(mux->Name(), item),
                        kSource);
}

}  // namespace tolvane
