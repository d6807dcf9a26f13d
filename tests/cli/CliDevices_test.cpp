// "tolvane-cli devices" on the private sound server, and with no device at all.

#include "CliRunner.h"

#include "mixer/alsa/SoundDeviceList.h"
#include "tests/support/PrivatePulse.h"

#include <QTemporaryDir>

#include <algorithm>

#include <gtest/gtest.h>

using tolvane::test::CliResult;
using tolvane::test::PrivatePulse;
using tolvane::test::RunCli;

// The server's device is listed with its DeviceID, and its controls with their current values;
// the server's sources follow it.
TEST(CliDevices, ListsThePluginsControlsWithTheirValues)
{
    PrivatePulse pulse;
    ASSERT_TRUE(pulse.Running()) << pulse.Error().toStdString();
    pulse.Pactl({"set-sink-volume", "null", "40000"});
    pulse.Pactl({"set-source-mute", "sine", "1"});
    const auto devices = tolvane::SoundDeviceList::Current();
    const auto server = std::find_if(devices.begin(), devices.end(), [](const auto &d) { return d.pcm == "pulse"; });
    ASSERT_NE(server, devices.end());
    const QString id = QString::number(server - devices.begin());
    const QString monitor = QString::number(tolvane::SoundDeviceList::FindServerSource(devices, "null.monitor") - devices.data());

    QTemporaryDir home;
    const CliResult r = RunCli(home.path(), {"devices"});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains("  " + id + ": PulseAudio sound server [pulse]\n")) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains("  " + monitor + ": Monitor of Null Output [pulse:DEVICE=\"null.monitor\"] source \"null.monitor\"\n"));
    EXPECT_TRUE(r.out.contains("UseSystemSourceDevice: System default [default]\n"));
    EXPECT_TRUE(r.out.contains("\nMixer device " + id + ": PulseAudio sound server\n"
                               "  Destination line 0: Playback (2 channels)\n"));
    EXPECT_TRUE(r.out.contains("    Control \"Master Playback Volume\": type 0x50030001 UNSIGNED, range 0 to 65536, "
                               "values 40000 40000\n"))
        << r.out.toStdString();
    EXPECT_TRUE(r.out.contains("  Destination line 1: Capture (1 channel)\n"));
    EXPECT_TRUE(r.out.contains("    Control \"Capture Switch\": type 0x20010001 BOOL, values 0\n"));
}

// No sound card and no sound server: the mixer's error, and a failing exit status.
TEST(CliDevices, NoDeviceFails)
{
    qputenv("PULSE_SERVER", "unix:/nonexistent/socket");
    const bool cards = !tolvane::SoundDeviceList::Current().empty();
    QTemporaryDir home;
    const CliResult r = RunCli(home.path(), {"devices"});
    qunsetenv("PULSE_SERVER");
    if (cards)
        GTEST_SKIP() << "this machine has a sound card";
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("システム上にミキサーデバイスが存在しません。"))) << r.err.toStdString();
    EXPECT_FALSE(r.out.contains("Mixer device"));
}
