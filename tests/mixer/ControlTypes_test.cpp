// The object model's rules for value classes, list controls, channels and value counts.

#include "mixer/alsa/ControlTypes.h"

#include <gtest/gtest.h>

using namespace tolvane;

// Each row of the value-class table at its edges; types outside the table count as BOOL.
TEST(ControlTypes, ValueClassTable)
{
    const std::vector<std::pair<quint32, nValueType>> table = {
        {0x10010000, nValueType::BOOL},     {0x20010005, nValueType::BOOL},     {0x21010000, nValueType::BOOL},
        {0x71010001, nValueType::BOOL},     {0x10020001, nValueType::SIGNED},   {0x30040000, nValueType::SIGNED},
        {0x40020002, nValueType::SIGNED},   {0x10030000, nValueType::UNSIGNED}, {0x30050000, nValueType::UNSIGNED},
        {0x50030004, nValueType::UNSIGNED}, {0x61030000, nValueType::UNSIGNED}, {0x40020003, nValueType::BOOL},
        {0x50030005, nValueType::BOOL},
    };
    for (const auto &[type, valueClass] : table)
        EXPECT_EQ(ControlTypes::ValueClassOf(static_cast<qint32>(type)), valueClass) << std::hex << type;
    EXPECT_TRUE(ControlTypes::IsListControl(0x50030004));
    EXPECT_TRUE(ControlTypes::IsListControl(MixerControlType::Mux));
    EXPECT_TRUE(ControlTypes::IsListControl(0x71010001));
    EXPECT_FALSE(ControlTypes::IsListControl(MixerControlType::Volume));
}

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
