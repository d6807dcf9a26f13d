#include "mixer/alsa/ServerSourceList.h"
#include "mixer/alsa/SoundDeviceList.h"
#include "tests/support/PrivatePulse.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace tolvane;
using tolvane::test::PrivatePulse;

// With a sound server running, its plugin device follows the cards, and each of its sources
// follows that by its description: the monitor of its output, its sine source and a second
// source loaded for the test, each recorded through the plugin by its server name.
TEST(SoundDeviceList, ServerDeviceThenEachServerSource)
{
    PrivatePulse pulse;
    ASSERT_TRUE(pulse.Running()) << pulse.Error().toStdString();
    ASSERT_FALSE(pulse.Pactl({"load-module", "module-sine-source", "source_name=second", "frequency=440"}).isEmpty());
    const auto devices = SoundDeviceList::Current();
    const auto server = std::find_if(devices.begin(), devices.end(), [](const SoundDevice &d) { return d.pcm == "pulse"; });
    ASSERT_NE(server, devices.end());
    for (auto d = devices.begin(); d != server; ++d)
        EXPECT_TRUE(d->pcm.startsWith("plughw:")) << d->pcm.toStdString();
    EXPECT_EQ(server->ctl, "pulse");
    EXPECT_TRUE(server->serverSource.isEmpty());

    std::vector<std::pair<QString, QString>> sources;
    for (auto d = server + 1; d != devices.end(); ++d) {
        EXPECT_EQ(d->pcm, "pulse:DEVICE=\"" + d->serverSource + "\"");
        EXPECT_EQ(d->ctl, d->pcm);
        sources.emplace_back(d->serverSource, d->name);
    }
    EXPECT_EQ(sources, (std::vector<std::pair<QString, QString>>{{"null.monitor", "Monitor of Null Output"},
                                                                  {"sine", "Sine source at 1000 Hz"},
                                                                  {"second", "Sine source at 440 Hz"}}));
    const SoundDevice *found = SoundDeviceList::FindServerSource(devices, "second");
    ASSERT_TRUE(found);
    EXPECT_EQ(found->name, "Sine source at 440 Hz");
    EXPECT_FALSE(SoundDeviceList::FindServerSource(devices, "gone"));
    EXPECT_TRUE(ServerSourceList::Current().front().monitor);
}

// Without a server only the cards remain.
TEST(SoundDeviceList, NoServerNoServerDevice)
{
    qputenv("PULSE_SERVER", "unix:/nonexistent/socket");
    const auto devices = SoundDeviceList::Current();
    const auto sources = ServerSourceList::Current();
    qunsetenv("PULSE_SERVER");
    for (const auto &d : devices) {
        EXPECT_NE(d.pcm, "pulse");
        EXPECT_TRUE(d.serverSource.isEmpty());
    }
    EXPECT_TRUE(sources.empty());
    EXPECT_EQ(SoundDeviceList::SystemDefault().pcm, "default");
}

// Names that could not be handed to ALSA's plugin as they are (its argument is a quoted text)
// are not offered.
TEST(SoundDeviceList, OnlyNamesThePluginTakes)
{
    EXPECT_TRUE(ServerSourceList::Addressable("alsa_input.pci-0000_00_1f.3.analog-stereo"));
    EXPECT_TRUE(ServerSourceList::Addressable("bluez_source.00_11_22_33_44_55.a2dp_source"));
    for (const char *name : {"", "a\"b", "a'b", "a\\b", "a\nb"})
        EXPECT_FALSE(ServerSourceList::Addressable(QString::fromLatin1(name))) << name;
}
