#include "SoundDeviceList.h"

#include "mixer/alsa/ServerSourceList.h"

#include <alsa/asoundlib.h>

#include <algorithm>

namespace tolvane {

namespace {

// Opening the plugin's control connects to the server, so success means a server answers.
bool SoundServerAnswers()
{
    snd_ctl_t *ctl = nullptr;
    if (snd_ctl_open(&ctl, "pulse", 0) < 0)
        return false;
    snd_ctl_close(ctl);
    return true;
}

}  // namespace

std::vector<SoundDevice> SoundDeviceList::Current()
{
    std::vector<SoundDevice> devices;
    int card = -1;
    while (snd_card_next(&card) == 0 && card >= 0) {
        char *name = nullptr;
        QString display = QStringLiteral("card %1").arg(card);
        if (snd_card_get_longname(card, &name) == 0 && name) {
            display = QString::fromLocal8Bit(name);
            free(name);
        }
        devices.push_back({display, QStringLiteral("plughw:%1").arg(card), QStringLiteral("hw:%1").arg(card), {}});
    }
    if (!SoundServerAnswers())
        return devices;
    devices.push_back({QStringLiteral("PulseAudio sound server"), QStringLiteral("pulse"), QStringLiteral("pulse"), {}});
    for (const ServerSource &source : ServerSourceList::Current()) {
        const QString pcm = ServerSourceList::PcmOf(source.name);
        devices.push_back({source.description, pcm, pcm, source.name});
    }
    return devices;
}

SoundDevice SoundDeviceList::SystemDefault()
{
    return {QStringLiteral("System default"), QStringLiteral("default"), QStringLiteral("default"), {}};
}

const SoundDevice *SoundDeviceList::FindServerSource(const std::vector<SoundDevice> &devices, const QString &name)
{
    if (name.isEmpty())
        return nullptr;
    const auto found = std::find_if(devices.begin(), devices.end(),
                                    [&](const SoundDevice &d) { return d.serverSource == name; });
    return found == devices.end() ? nullptr : &*found;
}

}  // namespace tolvane
