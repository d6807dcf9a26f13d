// The mixer on the real ALSA library: the pulse plugin's controls of a private sound server,
// checked against ALSA's own amixer.

#include "common/NumberedError.h"
#include "mixer/alsa/Mixer.h"
#include "mixer/alsa/SoundDeviceList.h"
#include "tests/support/PrivatePulse.h"

#include <QProcess>

#include <gtest/gtest.h>

using namespace tolvane;
using tolvane::test::PrivatePulse;

namespace {

// The values amixer reads for a control of the pulse device ("on"/"off" as 1/0).
std::vector<qint32> AmixerValues(const QString &control)
{
    QProcess p;
    p.start("amixer", {"-D", "pulse", "cget", "name=" + control});
    if (!p.waitForFinished(10000) || p.exitCode() != 0)
        return {};
    for (const QString &line : QString::fromUtf8(p.readAllStandardOutput()).split(u'\n')) {
        const QString trimmed = line.trimmed();
        if (!trimmed.startsWith(QLatin1String(": values=")))
            continue;
        std::vector<qint32> values;
        for (const QString &v : trimmed.mid(9).split(u','))
            values.push_back(v == QLatin1String("on") ? 1 : v == QLatin1String("off") ? 0 : v.toInt());
        return values;
    }
    return {};
}

std::vector<std::shared_ptr<ILineControl>> AllControls(const IDevice &device)
{
    std::vector<std::shared_ptr<ILineControl>> controls;
    for (const auto &destination : device.destinationLines()) {
        const auto own = destination->LineControls();
        controls.insert(controls.end(), own.begin(), own.end());
        for (const auto &source : destination->SourceLines()) {
            const auto more = source->LineControls();
            controls.insert(controls.end(), more.begin(), more.end());
        }
    }
    return controls;
}

// The sound server's own device (after the cards, before the server's sources).
std::shared_ptr<IDevice> ServerDevice(const Mixer &mixer)
{
    const auto devices = SoundDeviceList::Current();
    for (size_t i = 0; i < devices.size(); ++i)
        if (devices[i].pcm == QLatin1String("pulse"))
            return mixer.Devices().at(i);
    return nullptr;
}

std::shared_ptr<ILineControl> Control(const IDevice &device, const QString &name)
{
    for (const auto &control : AllControls(device))
        if (control->Name() == name)
            return control;
    return nullptr;
}

}  // namespace

// Every control of the server's device reads what amixer reads, including a volume set
// beforehand through the server; each of the server's sources is a device of its own.
TEST(MixerAlsa, PluginControlsReadAsAmixerReadsThem)
{
    PrivatePulse pulse;
    ASSERT_TRUE(pulse.Running()) << pulse.Error().toStdString();
    pulse.Pactl({"set-sink-volume", "null", "40000"});
    const Mixer mixer;
    const auto device = ServerDevice(mixer);
    ASSERT_TRUE(device);
    EXPECT_EQ(device->Name(), "PulseAudio sound server");
    EXPECT_EQ(mixer.Devices().back()->Name(), SoundDeviceList::Current().back().name);

    const auto controls = AllControls(*device);
    ASSERT_GE(controls.size(), 4u);
    for (const auto &control : controls) {
        SCOPED_TRACE(control->Name().toStdString());
        EXPECT_EQ(control->Values(), AmixerValues(control->Name()));
    }
    const auto volume = Control(*device, "Master Playback Volume");
    ASSERT_TRUE(volume);
    EXPECT_EQ(volume->Values(), (std::vector<qint32>{40000, 40000}));
    EXPECT_EQ(volume->ControlInfo().dwControlType, MixerControlType::Volume);
    EXPECT_EQ(volume->ControlInfo().Bounds[1], 65536);
}

// Setting a volume and a switch through the tree changes them as amixer sees them.
TEST(MixerAlsa, SetValuesReachesTheServer)
{
    PrivatePulse pulse;
    ASSERT_TRUE(pulse.Running()) << pulse.Error().toStdString();
    const Mixer mixer;
    const auto device = ServerDevice(mixer);
    ASSERT_TRUE(device);
    const auto volume = Control(*device, "Master Playback Volume");
    const auto onOff = Control(*device, "Master Playback Switch");
    ASSERT_TRUE(volume && onOff);
    volume->setValues({30000, 20000});
    onOff->setValues({0});
    EXPECT_EQ(AmixerValues("Master Playback Volume"), (std::vector<qint32>{30000, 20000}));
    EXPECT_EQ(AmixerValues("Master Playback Switch"), (std::vector<qint32>{0}));
}

// With no sound card and no sound server there is no mixer device.
TEST(MixerAlsa, NoCardNoServerFails)
{
    qputenv("PULSE_SERVER", "unix:/nonexistent/socket");
    if (!SoundDeviceList::Current().empty()) {
        qunsetenv("PULSE_SERVER");
        GTEST_SKIP() << "this machine has a sound card";
    }
    try {
        Mixer mixer;
        ADD_FAILURE() << "a mixer was created without devices";
    } catch (const NumberedError &e) {
        EXPECT_EQ(e.Number(), ErrNo::NoMixerDevice);
        EXPECT_EQ(e.Description(), QStringLiteral("システム上にミキサーデバイスが存在しません。"));
    }
    qunsetenv("PULSE_SERVER");
}
