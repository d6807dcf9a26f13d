#pragma once
// A private PipeWire for tests: pipewire, wireplumber and pipewire-pulse in a session bus of
// their own (dbus-run-session) and a temporary runtime folder, reached through PULSE_SERVER.
// The graph runs at 44100 Hz in quanta of 256 frames, so that a frame's way through it is
// short and timed finely. Everything ends with the object.

#include "tests/support/SoundServer.h"

#include <QProcess>
#include <QTemporaryDir>

#include <memory>

namespace tolvane::test {

class PrivatePipeWire final : public SoundServer {
public:
    // Whether PipeWire, WirePlumber, pipewire-pulse and dbus-run-session are installed.
    static bool Installed();

    PrivatePipeWire();
    ~PrivatePipeWire() override;
    PrivatePipeWire(const PrivatePipeWire &) = delete;
    PrivatePipeWire &operator=(const PrivatePipeWire &) = delete;

    // False when the server did not come up; Error() then says why.
    bool Running() const { return m_running; }
    const QString &Error() const { return m_error; }
    bool IsPipeWire() const override { return true; }
    // "unix:/.../native", also exported as PULSE_SERVER for this process and its children.
    const QString &Server() const override { return m_server; }
    // Ends the servers at once, as a crash would.
    void Kill();

private:
    QTemporaryDir m_dir;
    std::unique_ptr<QProcess> m_session;
    QString m_server;
    QString m_error;
    QByteArray m_previousServer;
    bool m_hadPreviousServer = false;
    bool m_running = false;
};

}  // namespace tolvane::test
