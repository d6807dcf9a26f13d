// The object model's rules for channels and value counts.

#include "mixer/alsa/ControlTypes.h"

#include <gtest/gtest.h>

using namespace tolvane;

// On a stereo line: uniform gives one value, exactly "multiple" gives two, other flags one, and
// the mute control always one; items multiply the channels.
TEST(ControlTypes, ChannelsAndValueCounts)
{
    LevorkINFO volume;
    volume.dwControlType = MixerControlType::Volume;
    volume.fdwControl = MixerControlFlag::Uniform;
    EXPECT_EQ(ControlTypes::ChannelsOf(volume, 2), 1);
    volume.fdwControl = MixerControlFlag::Multiple;
    EXPECT_EQ(ControlTypes::ChannelsOf(volume, 2), 2);
    volume.fdwControl = 0;
    EXPECT_EQ(ControlTypes::ChannelsOf(volume, 2), 1);
    volume.fdwControl = MixerControlFlag::Uniform | MixerControlFlag::Multiple;
    EXPECT_EQ(ControlTypes::ChannelsOf(volume, 2), 1);
    EXPECT_EQ(ControlTypes::ValueCountOf(volume, 2), 2);

    LevorkINFO mute;
    mute.dwControlType = MixerControlType::Mute;
    mute.fdwControl = MixerControlFlag::Multiple;
    EXPECT_EQ(ControlTypes::ChannelsOf(mute, 2), 1);

    LevorkINFO mux;
    mux.dwControlType = MixerControlType::Mux;
    mux.cMultipleItems = 4;
    EXPECT_EQ(ControlTypes::ValueCountOf(mux, ControlTypes::ChannelsOf(mux, 2)), 4);
    EXPECT_EQ(ControlTypes::ValueCountOf(mux, 2), 8);
}
