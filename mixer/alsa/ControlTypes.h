#pragma once
// The rules of the mixer object model that follow from a control's record: how its values are
// kept, whether it has item names, and how many values it has on a line.

#include "mixer/interfaces/LevorkRecords.h"

namespace tolvane::ControlTypes {

// BOOL, SIGNED or UNSIGNED by control type; a type outside the model's table counts as BOOL.
nValueType ValueClassOf(qint32 controlType);

// Selectors, lists and the equalizer, whose values come with item names.
bool IsListControl(qint32 controlType);

// 1 for a uniform control and for the mute control, the line's channels for a per-channel one.
qint32 ChannelsOf(const LevorkINFO &info, qint32 lineChannels);

// One value per channel, times the items of a control with items.
qint32 ValueCountOf(const LevorkINFO &info, qint32 channels);

}  // namespace tolvane::ControlTypes
