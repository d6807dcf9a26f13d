#include "Device.h"

#include "mixer/alsa/DestinationLine.h"
#include "mixer/alsa/SourceLine.h"
#include "mixer/alsa/ElementNames.h"

#include <algorithm>
#include <array>

namespace tolvane {

namespace {

using ElementNames::Side;

constexpr qint32 kLineRecordSize = 280;
constexpr qsizetype kShortNameChars = 15;
// The platform's line flags, component and target types the records carry.
constexpr qint32 kLineActive = 1;
constexpr qint32 kLineSource = qint32(0x80000000u);
constexpr qint32 kSpeakersDestination = 4;
constexpr qint32 kWaveInDestination = 7;
constexpr qint32 kUndefinedSource = 0x1000;
constexpr qint32 kWaveOutTarget = 1;
constexpr qint32 kWaveInTarget = 2;

struct SourceGroup {
    QString name;
    std::vector<ControlElement> elements;
};

// The elements of one destination: its own, and those of each source line in order of appearance.
struct SideGroup {
    std::vector<ControlElement> own;
    std::vector<SourceGroup> sources;
};

std::array<SideGroup, 2> GroupBySide(const std::vector<ControlElement> &elements)
{
    std::array<SideGroup, 2> sides;
    for (const ControlElement &element : elements) {
        const QString name = ElementNames::FieldText(element.name);
        const auto placement = ElementNames::PlacementOf(
            name, element.kind == ElementKind::Enumerated && ElementNames::IsCaptureSelector(name));
        SideGroup &side = sides[static_cast<size_t>(placement.side)];
        if (placement.line.isEmpty()) {
            side.own.push_back(element);
            continue;
        }
        auto group = std::find_if(side.sources.begin(), side.sources.end(),
                                  [&](const SourceGroup &g) { return g.name == placement.line; });
        if (group == side.sources.end())
            group = side.sources.insert(side.sources.end(), SourceGroup{placement.line, {}});
        group->elements.push_back(element);
    }
    return sides;
}

lvMixerLine LineRecord(const QString &name)
{
    lvMixerLine line;
    line.cbStruct = kLineRecordSize;
    line.szName = name;
    line.szShortName = name.left(kShortNameChars);
    return line;
}

}  // namespace

Device::Device(qint32 index, const SoundDevice &entry, const IControlSystem &system)
{
    m_caps.szPname = entry.name;
    m_caps.cDestinations = 2;

    const std::shared_ptr<IControlDevice> control = system.Open(entry.ctl);
    const auto sides = GroupBySide(control ? control->Elements() : std::vector<ControlElement>{});
    for (qint32 d = 0; d < 2; ++d) {
        const bool capture = d == static_cast<qint32>(Side::Capture);
        const SideGroup &side = sides[static_cast<size_t>(d)];

        std::vector<std::shared_ptr<ISourceLine>> sources;
        for (qint32 s = 0; s < static_cast<qint32>(side.sources.size()); ++s) {
            const SourceGroup &group = side.sources[static_cast<size_t>(s)];
            lvMixerLine line = LineRecord(group.name);
            line.dwDestination = d;
            line.dwSource = s;
            line.dwLineID = ((s + 1) << 16) | d;
            line.fdwLine = kLineActive | kLineSource;
            line.dwComponentType = kUndefinedSource;
            sources.push_back(std::make_shared<SourceLine>(Linecommon(line, group.elements, control)));
        }

        lvMixerLine line = LineRecord(capture ? QStringLiteral("Capture") : QStringLiteral("Playback"));
        line.dwDestination = d;
        line.dwLineID = d;
        line.fdwLine = kLineActive;
        line.dwComponentType = capture ? kWaveInDestination : kSpeakersDestination;
        line.cConnections = static_cast<qint32>(sources.size());
        line.lpTarget.dwType = capture ? kWaveInTarget : kWaveOutTarget;
        line.lpTarget.dwDeviceID = index;
        line.lpTarget.szPname = entry.name;
        m_destinations.push_back(
            std::make_shared<DestinationLine>(Linecommon(line, side.own, control), std::move(sources)));
    }
}

qint32 Device::GetndestinationLines() const
{
    return static_cast<qint32>(m_destinations.size());
}

std::vector<std::shared_ptr<IDestinationLine>> Device::destinationLines() const
{
    return m_destinations;
}

QString Device::Name() const
{
    return m_caps.szPname;
}

lvMIXERCAPS Device::MixerCaps() const
{
    return m_caps;
}

}  // namespace tolvane
