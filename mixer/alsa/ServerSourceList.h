#pragma once
// The sources of the sound server (PulseAudio, or PipeWire's PulseAudio service): its inputs
// and the monitors of its outputs, as the server names and describes them. Asked over the
// server's own protocol, since ALSA's plugin records from a source but cannot list them.

#include <QString>

#include <vector>

namespace tolvane {

struct ServerSource {
    QString name;         // the server's name for it, which a schedule stores
    QString description;  // what the user sees
    bool monitor = false; // it plays back what an output of the server plays
};

class ServerSourceList {
public:
    // The sources in the server's order; empty when no server answers within a second or two.
    // Sources whose names ALSA's plugin could not be given safely are left out.
    static std::vector<ServerSource> Current();
    // The ALSA device that records from the source of that name.
    static QString PcmOf(const QString &name);
    // Whether a name can be handed to ALSA's plugin as it is.
    static bool Addressable(const QString &name);
};

}  // namespace tolvane
