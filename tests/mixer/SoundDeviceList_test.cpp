#include "mixer/alsa/SoundDeviceList.h"
#include "tests/support/PrivatePulse.h"

#include <gtest/gtest.h>

using namespace tolvane;
using tolvane::test::PrivatePulse;

// With a sound server running, its plugin device closes the list.
TEST(SoundDeviceList, ServerDeviceComesLast)
{
    PrivatePulse pulse;
    ASSERT_TRUE(pulse.Running()) << pulse.Error().toStdString();
    const auto devices = SoundDeviceList::Current();
    ASSERT_FALSE(devices.empty());
    EXPECT_EQ(devices.back().pcm, "pulse");
    EXPECT_EQ(devices.back().ctl, "pulse");
    for (size_t i = 0; i + 1 < devices.size(); ++i)
        EXPECT_TRUE(devices[i].pcm.startsWith("plughw:")) << devices[i].pcm.toStdString();
}

// Without a server only the cards remain.
TEST(SoundDeviceList, NoServerNoServerDevice)
{
    qputenv("PULSE_SERVER", "unix:/nonexistent/socket");
    const auto devices = SoundDeviceList::Current();
    qunsetenv("PULSE_SERVER");
    for (const auto &d : devices)
        EXPECT_NE(d.pcm, "pulse");
    EXPECT_EQ(SoundDeviceList::SystemDefault().pcm, "default");
}
