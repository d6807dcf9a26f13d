#pragma once
// Selects a schedule's recording input on its device's mixer for the length of one capture,
// and puts the previous selection back afterwards.

#include "mixer/interfaces/IMixer.h"

#include <QtGlobal>

#include <vector>

namespace tolvane {

class MixerSelection {
public:
    explicit MixerSelection(MixerFactory factory) : m_factory(std::move(factory)) {}

    // Sets the recording multiplexer of device `deviceId` so that only item `sourceLineIndex`
    // is selected, remembering the old values. Throws NumberedError (9 for a device or item
    // outside the lists; 91 when the device has no multiplexer or there is no mixer library).
    void Apply(qint32 deviceId, qint32 sourceLineIndex);
    // Puts the remembered values back when Apply changed them; otherwise does nothing. A
    // channel whose selection could not be read at Apply (no item selected) keeps the
    // recording's input; the others are put back, and then one error says so.
    void Restore();

private:
    std::shared_ptr<ILineControl> FindMultiplexer(qint32 deviceId) const;

    MixerFactory m_factory;
    qint32 m_deviceId = 0;
    std::vector<qint32> m_saved;
    std::vector<qint32> m_applied;
    bool m_changed = false;
};

}  // namespace tolvane
