#pragma once
// A private sound server a test has started (PulseAudio, or PipeWire with its PulseAudio
// service), reached through PULSE_SERVER so that ALSA's "pulse" and "default" devices use it.

#include <QString>
#include <QStringList>

namespace tolvane::test {

class SoundServer {
public:
    virtual ~SoundServer() = default;
    // The server's address, as PULSE_SERVER takes it.
    virtual const QString &Server() const = 0;
    // Runs pactl against the server; its standard output, or an empty text on failure.
    QString Pactl(const QStringList &args) const;
    // PipeWire's PulseAudio service, whose sources run on the graph's clock.
    virtual bool IsPipeWire() const = 0;
};

}  // namespace tolvane::test
