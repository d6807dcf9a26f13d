// The mixer tree built over an in-memory ALSA-like card.

#include "FakeControls.h"

#include "common/NumberedError.h"
#include "mixer/alsa/Mixer.h"

#include <gtest/gtest.h>

using namespace tolvane;
using namespace tolvane::test;

namespace {

std::vector<QString> Names(const auto &items)
{
    std::vector<QString> names;
    for (const auto &item : items)
        names.push_back(item->Name());
    return names;
}

std::shared_ptr<ILineControl> FindControl(const IMixer &mixer, const QString &name)
{
    for (const auto &device : mixer.Devices()) {
        for (const auto &destination : device->destinationLines()) {
            for (const auto &control : destination->LineControls())
                if (control->Name() == name)
                    return control;
            for (const auto &source : destination->SourceLines())
                for (const auto &control : source->LineControls())
                    if (control->Name() == name)
                        return control;
        }
    }
    return nullptr;
}

// The recording input selector found as the controller finds it: the first multiplexer of the
// device's destination lines in order.
std::shared_ptr<ILineControl> FirstMux(const IDevice &device)
{
    for (const auto &destination : device.destinationLines())
        for (const auto &control : destination->LineControls())
            if (control->ControlInfo().dwControlType == MixerControlType::Mux)
                return control;
    return nullptr;
}

// A card laid out as ALSA's codec drivers name their elements.
struct CodecCard {
    std::shared_ptr<FakeControlDevice> card = std::make_shared<FakeControlDevice>();
    FakeControlSystem system;
    quint32 masterVolume, mute, captureSource, lineIn;

    CodecCard()
    {
        masterVolume = card->Add(Integer("Master Playback Volume", 2, 0, 87), {70, 60});
        card->Add(Boolean("Master Playback Switch", 2), {1, 1});
        card->Add(Integer("PCM Playback Volume", 2, 0, 255), {200, 200});
        card->Add(Integer("Mic Playback Volume", 2, 0, 31), {0, 0});
        mute = card->Add(Boolean("Mic Playback Switch"), {0});
        lineIn = card->Add(Integer(QByteArray("Line In Playback Volume").leftJustified(44, '\0'), 2, 0, 31), {8, 8});
        card->Add(Integer("Mic Boost Volume", 2, 0, 3), {1, 1});
        card->Add(Integer("Capture Volume", 2, 0, 63), {40, 40});
        card->Add(Boolean("Capture Switch", 2), {1, 1});
        captureSource = card->Add(Enumerated("Capture Source", {"Mic", "Line In", "CD", "Mix"}, 2), {0, 0});
        card->Add(Integer("Mic Capture Volume", 1, 0, 31), {12});
        system.AddDevice("HDA Intel PCH", card);
    }
};

}  // namespace

// No card and no server: the model's error, with its text.
TEST(MixerTree, NoDeviceFails)
{
    FakeControlSystem none;
    try {
        Mixer mixer(none);
        FAIL() << "a mixer without devices was created";
    } catch (const NumberedError &e) {
        EXPECT_EQ(e.Number(), qint32(0x80040001u));
        EXPECT_EQ(e.Description(), QStringLiteral("システム上にミキサーデバイスが存在しません。"));
    }
}

// Element names place the elements on the playback and capture lines; a device that cannot be
// opened keeps its DeviceID with empty lines.
TEST(MixerTree, ElementsBecomeLinesAndControls)
{
    CodecCard c;
    c.system.AddDevice("Gone", nullptr);
    const Mixer mixer(c.system);
    ASSERT_EQ(mixer.GetnDevices(), 2);
    const auto device = mixer.Devices()[0];
    EXPECT_EQ(device->Name(), "HDA Intel PCH");
    EXPECT_EQ(device->MixerCaps().cDestinations, 2);
    ASSERT_EQ(device->GetndestinationLines(), 2);

    const auto playback = device->destinationLines()[0];
    EXPECT_EQ(playback->Name(), "Playback");
    EXPECT_EQ(Names(playback->LineControls()),
              (std::vector<QString>{"Master Playback Volume", "Master Playback Switch"}));
    EXPECT_EQ(Names(playback->SourceLines()), (std::vector<QString>{"PCM", "Mic", "Line In", "Mic Boost"}));
    EXPECT_EQ(playback->GetnSourceLines(), 4);
    EXPECT_EQ(playback->LineInfo().cConnections, 4);
    EXPECT_EQ(playback->LineInfo().cChannels, 2);
    EXPECT_EQ(playback->LineInfo().lpTarget.dwDeviceID, 0);

    const auto mic = playback->SourceLines()[1];
    EXPECT_EQ(Names(mic->LineControls()), (std::vector<QString>{"Mic Playback Volume", "Mic Playback Switch"}));
    EXPECT_EQ(mic->LineInfo().dwDestination, 0);
    EXPECT_EQ(mic->LineInfo().dwSource, 1);
    EXPECT_EQ(mic->LineInfo().cControls, 2);

    // The name field ends in zero bytes; names stop at the first.
    const auto lineIn = playback->SourceLines()[2];
    EXPECT_EQ(lineIn->Name(), "Line In");
    EXPECT_EQ(lineIn->LineControls()[0]->Name(), "Line In Playback Volume");
    EXPECT_EQ(lineIn->LineControls()[0]->ControlInfo().szShortName, "Line In Playbac");

    const auto capture = device->destinationLines()[1];
    EXPECT_EQ(capture->Name(), "Capture");
    EXPECT_EQ(Names(capture->LineControls()),
              (std::vector<QString>{"Capture Volume", "Capture Switch", "Capture Source"}));
    EXPECT_EQ(Names(capture->SourceLines()), (std::vector<QString>{"Mic"}));
    EXPECT_EQ(capture->SourceLines()[0]->LineInfo().dwDestination, 1);

    const auto gone = mixer.Devices()[1];
    EXPECT_EQ(gone->Name(), "Gone");
    ASSERT_EQ(gone->GetndestinationLines(), 2);
    EXPECT_EQ(gone->destinationLines()[1]->GetnLineControls(), 0);
    EXPECT_EQ(gone->destinationLines()[1]->LineInfo().lpTarget.dwDeviceID, 1);
}

// Each kind of element gets its control type, value class and number of values.
TEST(MixerTree, ControlTypesValueClassesAndCounts)
{
    struct Case {
        ControlElement element;
        std::vector<long> current;
        qint32 type;
        nValueType valueClass;
        std::vector<qint32> values;
    };
    const std::vector<Case> cases = {
        {Integer("Master Playback Volume", 2, 0, 87), {70, 60}, MixerControlType::Volume, nValueType::UNSIGNED, {70, 60}},
        {Integer("Beep Playback Volume", 1, 0, 15), {3}, MixerControlType::Volume, nValueType::UNSIGNED, {3}},
        {Integer("Digital Capture Volume", 2, -64, 64), {-5, 7}, MixerControlType::Signed, nValueType::SIGNED, {-5, 7}},
        {Integer("Tone Control", 1, 0, 10), {4}, MixerControlType::Unsigned, nValueType::UNSIGNED, {4}},
        {Integer("Level Meter", 2, 0, 100, false), {9, 8}, MixerControlType::UnsignedMeter, nValueType::UNSIGNED, {9, 8}},
        {Integer("Peak Level", 1, -96, 0, false), {-20}, MixerControlType::SignedMeter, nValueType::SIGNED, {-20}},
        {Boolean("Master Playback Switch", 2), {1, 0}, MixerControlType::OnOff, nValueType::BOOL, {1, 0}},
        {Boolean("Loopback Mixing"), {1}, MixerControlType::Boolean, nValueType::BOOL, {1}},
        {Boolean("Headphone Sense", 1, false), {1}, MixerControlType::BooleanMeter, nValueType::BOOL, {1}},
        {Enumerated("Auto-Mute Mode", {"Disabled", "Enabled"}), {1}, MixerControlType::SingleSelect, nValueType::BOOL,
         {0, 1}},
    };
    auto card = std::make_shared<FakeControlDevice>();
    for (const Case &c : cases)
        card->Add(c.element, c.current);
    FakeControlSystem system;
    system.AddDevice("card", card);
    const Mixer mixer(system);

    for (const Case &c : cases) {
        const QString name = QString::fromUtf8(c.element.name);
        SCOPED_TRACE(name.toStdString());
        const auto control = FindControl(mixer, name);
        ASSERT_TRUE(control);
        EXPECT_EQ(control->ControlInfo().dwControlType, c.type);
        EXPECT_EQ(control->GetValueType().Type1, c.valueClass);
        EXPECT_EQ(control->Values(), c.values);
        EXPECT_EQ(control->GetnValues(), static_cast<qint32>(c.values.size()));
        EXPECT_EQ(control->Details().cChannels * std::max(control->Details().item, 1), control->GetnValues());
        EXPECT_EQ(control->boolValues().size(), c.valueClass == nValueType::BOOL ? c.values.size() : 0u);
        EXPECT_EQ(control->signedValues().size(), c.valueClass == nValueType::SIGNED ? c.values.size() : 0u);
        EXPECT_EQ(control->unsignedValues().size(), c.valueClass == nValueType::UNSIGNED ? c.values.size() : 0u);
        if (c.element.kind == ElementKind::Integer) {
            EXPECT_EQ(control->ControlInfo().Bounds[0], c.element.min);
            EXPECT_EQ(control->ControlInfo().Bounds[1], c.element.max);
        }
    }
    const auto select = FindControl(mixer, "Auto-Mute Mode");
    EXPECT_EQ(select->GetValueType().Type2, nValueType::LISTTEXT);
    ASSERT_EQ(select->ListTextValues().size(), 2u);
    EXPECT_EQ(select->ListTextValues()[1].szName, "Enabled");
    EXPECT_EQ(FindControl(mixer, "Digital Capture Volume")->signedValues()[0].lValue, -5);
}

// The 4-item capture source: 0, 0, 1, 0 selects the third item on every channel of the element,
// a new Mixer reads the selection back, and the saved values put the old selection back.
TEST(MixerTree, CaptureSourceSelectsAndRestores)
{
    CodecCard c;
    const Mixer mixer(c.system);
    const auto mux = FirstMux(*mixer.Devices()[0]);
    ASSERT_TRUE(mux);
    EXPECT_EQ(mux->Name(), "Capture Source");
    EXPECT_EQ(mux->GetValueType().Type2, nValueType::LISTTEXT);
    EXPECT_EQ(mux->ControlInfo().cMultipleItems, 4);
    const auto items = mux->ListTextValues();
    ASSERT_EQ(items.size(), 4u);
    EXPECT_EQ(items[2].szName, "CD");
    const std::vector<qint32> saved = mux->Values();
    EXPECT_EQ(saved, (std::vector<qint32>{1, 0, 0, 0}));

    mux->setValues({0, 0, 1, 0});
    EXPECT_EQ(c.card->Current(c.captureSource), (std::vector<long>{2, 2}));
    EXPECT_EQ(mux->Values(), (std::vector<qint32>{0, 0, 1, 0}));
    EXPECT_EQ(FirstMux(*Mixer(c.system).Devices()[0])->Values(), (std::vector<qint32>{0, 0, 1, 0}));

    mux->setValues(saved);
    EXPECT_EQ(c.card->Current(c.captureSource), (std::vector<long>{0, 0}));
}

// Volumes and switches write through; values the device cannot take are refused before
// anything is written, and a refusal by the device leaves the snapshot as it was.
TEST(MixerTree, SetValuesWritesThroughOrRefuses)
{
    CodecCard c;
    const Mixer mixer(c.system);
    const auto volume = FindControl(mixer, "Master Playback Volume");
    volume->setValues({10, 87});
    EXPECT_EQ(c.card->Current(c.masterVolume), (std::vector<long>{10, 87}));
    EXPECT_EQ(volume->Values(), (std::vector<qint32>{10, 87}));

    const auto expectError = [&](auto action, qint32 number) {
        const int writes = c.card->writes;
        try {
            action();
            ADD_FAILURE() << "no error";
        } catch (const NumberedError &e) {
            EXPECT_EQ(e.Number(), number) << e.Description().toStdString();
        }
        EXPECT_EQ(c.card->writes, writes);
    };
    expectError([&] { volume->setValues({10}); }, ErrNo::InvalidProcedureCall);
    expectError([&] { volume->setValues({10, 88}); }, ErrNo::InvalidProcedureCall);
    expectError([&] { volume->setValues({-1, 0}); }, ErrNo::InvalidProcedureCall);
    expectError([&] { FirstMux(*mixer.Devices()[0])->setValues({0, 0, 0, 0}); }, ErrNo::InvalidProcedureCall);
    EXPECT_EQ(c.card->Current(c.masterVolume), (std::vector<long>{10, 87}));

    auto meterCard = std::make_shared<FakeControlDevice>();
    meterCard->Add(Integer("Level Meter", 1, 0, 100, false), {5});
    FakeControlSystem meterSystem;
    meterSystem.AddDevice("meter", meterCard);
    const auto meter = FindControl(Mixer(meterSystem), "Level Meter");
    EXPECT_THROW(meter->setValues({7}), NumberedError);
    EXPECT_EQ(meter->Values(), (std::vector<qint32>{5}));

    const auto mute = FindControl(mixer, "Mic Playback Switch");
    mute->setValues({5});
    EXPECT_EQ(c.card->Current(c.mute), (std::vector<long>{1}));
}

// The typed lets change the snapshot without writing; a wrong class is a type mismatch.
TEST(MixerTree, TypedValuesSetWithoutApplying)
{
    CodecCard c;
    const Mixer mixer(c.system);
    const auto volume = FindControl(mixer, "Master Playback Volume");
    const int writes = c.card->writes;
    volume->setunsignedValues({{5}, {6}});
    EXPECT_EQ(volume->Values(), (std::vector<qint32>{5, 6}));
    EXPECT_EQ(c.card->Current(c.masterVolume), (std::vector<long>{70, 60}));
    EXPECT_EQ(c.card->writes, writes);
    try {
        volume->setboolValues({{1}, {0}});
        ADD_FAILURE() << "a volume took boolean values";
    } catch (const NumberedError &e) {
        EXPECT_EQ(e.Number(), ErrNo::TypeMismatch);
    }
    EXPECT_THROW(volume->setListTextValues({}), NumberedError);

    const auto mux = FirstMux(*mixer.Devices()[0]);
    auto items = mux->ListTextValues();
    items[3].dwParam2 = 42;
    items[3].szName = "renamed";
    mux->setListTextValues(items);
    EXPECT_EQ(mux->ListTextValues()[3].dwParam2, 42);
    EXPECT_EQ(mux->ListTextValues()[3].szName, "Mix");
    EXPECT_EQ(c.card->writes, writes);
}

// An element that does not answer reads as zeros; an element narrower than its line repeats its
// last channel and takes only its own channels back.
TEST(MixerTree, UnreadableAndNarrowElements)
{
    auto card = std::make_shared<FakeControlDevice>();
    const quint32 surround = card->Add(Integer("Surround Playback Volume", 4, 0, 31), {1, 2, 3, 4});
    const quint32 front = card->Add(Integer("Surround Playback Volume", 2, 0, 31), {7, 8});
    ControlElement second = Integer("Surround Playback Volume", 2, 0, 31);
    second.index = 1;
    const quint32 indexed = card->Add(second, {9, 9});
    card->unreadable.insert(surround);
    FakeControlSystem system;
    system.AddDevice("card", card);
    const Mixer mixer(system);
    const auto line = mixer.Devices()[0]->destinationLines()[0]->SourceLines();
    ASSERT_EQ(line.size(), 1u);
    EXPECT_EQ(line[0]->LineInfo().cChannels, 4);
    const auto controls = line[0]->LineControls();
    ASSERT_EQ(Names(controls), (std::vector<QString>{"Surround Playback Volume", "Surround Playback Volume",
                                                     "Surround Playback Volume,1"}));
    EXPECT_EQ(controls[0]->Values(), (std::vector<qint32>{0, 0, 0, 0}));
    EXPECT_EQ(controls[1]->Values(), (std::vector<qint32>{7, 8, 8, 8}));
    controls[1]->setValues({3, 4, 5, 6});
    EXPECT_EQ(card->Current(front), (std::vector<long>{3, 4}));
    EXPECT_EQ(card->Current(indexed), (std::vector<long>{9, 9}));
}
