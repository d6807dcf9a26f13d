#include "DeviceListing.h"

#include "common/NumberedError.h"
#include "mixer/alsa/Mixer.h"
#include "mixer/alsa/SoundDeviceList.h"

#include <QStringList>
#include <QTextStream>

namespace tolvane::cli {

namespace {

const char *ValueClassName(nValueType type)
{
    switch (type) {
    case nValueType::BOOL: return "BOOL";
    case nValueType::SIGNED: return "SIGNED";
    case nValueType::UNSIGNED: return "UNSIGNED";
    case nValueType::LISTTEXT: return "LISTTEXT";
    }
    return "";
}

QString ChannelsText(const lvMixerLine &line)
{
    return line.cChannels == 1 ? QStringLiteral("1 channel") : QStringLiteral("%1 channels").arg(line.cChannels);
}

QString Joined(const std::vector<qint32> &values)
{
    QStringList texts;
    for (qint32 v : values)
        texts << QString::number(v);
    return texts.join(u' ');
}

void ListControls(QTextStream &ts, const std::vector<std::shared_ptr<ILineControl>> &controls, const QString &indent)
{
    for (const auto &control : controls) {
        const LevorkINFO info = control->ControlInfo();
        const ValueType type = control->GetValueType();
        ts << indent << "Control \"" << control->Name() << "\": type 0x"
           << QString::number(static_cast<quint32>(info.dwControlType), 16) << " " << ValueClassName(type.Type1);
        if (info.dwControlType == MixerControlType::Mux)
            ts << ", recording input selector";
        if (info.Bounds[0] != 0 || info.Bounds[1] != 0)
            ts << ", range " << info.Bounds[0] << " to " << info.Bounds[1];
        ts << ", values " << Joined(control->Values()) << "\n";

        const auto items = control->ListTextValues();
        const auto values = control->Values();
        const QString label = info.dwControlType == MixerControlType::Mux ? QStringLiteral("SourceLineIndex")
                                                                            : QStringLiteral("item");
        for (size_t i = 0; i < items.size(); ++i) {
            ts << indent << "  " << label << " " << i << ": " << items[i].szName;
            if (i < values.size() && values[i] != 0)
                ts << " (selected)";
            ts << "\n";
        }
    }
}

}  // namespace

int ListDevices(QString &out, QString &err)
{
    QTextStream ts(&out);
    const auto devices = SoundDeviceList::Current();
    ts << "Sound devices (DeviceID: name [capture device], and the name of a sound server's source):\n";
    for (size_t i = 0; i < devices.size(); ++i) {
        ts << "  " << i << ": " << devices[i].name << " [" << devices[i].pcm << "]";
        // The name a schedule keeps (--source): the server's sources come and go, so their
        // DeviceID does not last.
        if (!devices[i].serverSource.isEmpty())
            ts << " source \"" << devices[i].serverSource << "\"";
        ts << "\n";
    }
    const SoundDevice system = SoundDeviceList::SystemDefault();
    ts << "  UseSystemSourceDevice: " << system.name << " [" << system.pcm << "]\n";

    try {
        const Mixer mixer;
        const auto mixerDevices = mixer.Devices();
        for (size_t i = 0; i < mixerDevices.size(); ++i) {
            const auto &device = mixerDevices[i];
            ts << "\nMixer device " << i << ": " << device->Name() << "\n";
            const auto destinations = device->destinationLines();
            for (size_t d = 0; d < destinations.size(); ++d) {
                const auto &destination = destinations[d];
                ts << "  Destination line " << d << ": " << destination->Name() << " ("
                   << ChannelsText(destination->LineInfo()) << ")\n";
                ListControls(ts, destination->LineControls(), QStringLiteral("    "));
                const auto sources = destination->SourceLines();
                for (size_t s = 0; s < sources.size(); ++s) {
                    ts << "    Source line " << s << ": " << sources[s]->Name() << " ("
                       << ChannelsText(sources[s]->LineInfo()) << ")\n";
                    ListControls(ts, sources[s]->LineControls(), QStringLiteral("      "));
                }
            }
        }
    } catch (const NumberedError &e) {
        err = QStringLiteral("tolvane-cli: error %1: %2\n").arg(e.Number()).arg(e.Description());
        return 1;
    }
    return 0;
}

}  // namespace tolvane::cli
