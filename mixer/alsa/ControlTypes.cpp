#include "ControlTypes.h"

namespace tolvane::ControlTypes {

nValueType ValueClassOf(qint32 controlType)
{
    switch (static_cast<quint32>(controlType)) {
    case 0x10020000:  // signed meter
    case 0x10020001:  // peak meter
    case 0x30020000:  // signed
    case 0x30040000:  // decibels
    case 0x40020000:  // slider
    case 0x40020001:  // pan
    case 0x40020002:  // sound pan
        return nValueType::SIGNED;
    case 0x10030000:  // unsigned meter
    case 0x30030000:  // unsigned
    case 0x30050000:  // percent
    case 0x50030000:  // fader
    case 0x50030001:  // volume
    case 0x50030002:  // bass
    case 0x50030003:  // treble
    case 0x50030004:  // equalizer
    case 0x60030000:  // microseconds
    case 0x61030000:  // milliseconds
        return nValueType::UNSIGNED;
    default:  // boolean meter, switches, button, selectors, and types outside the table
        return nValueType::BOOL;
    }
}

bool IsListControl(qint32 controlType)
{
    switch (static_cast<quint32>(controlType)) {
    case 0x50030004:  // equalizer
    case 0x70010000:  // single select
    case 0x70010001:  // multiplexer
    case 0x71010000:  // multiple select
    case 0x71010001:  // mixer
        return true;
    default:
        return false;
    }
}

qint32 ChannelsOf(const LevorkINFO &info, qint32 lineChannels)
{
    if (info.dwControlType == MixerControlType::Mute)
        return 1;
    return info.fdwControl == MixerControlFlag::Multiple ? lineChannels : 1;
}

qint32 ValueCountOf(const LevorkINFO &info, qint32 channels)
{
    return info.cMultipleItems > 0 ? channels * info.cMultipleItems : channels;
}

}  // namespace tolvane::ControlTypes
