#pragma once
// A private sound server for tests: a null sink and a sine source in a temporary folder,
// reached through PULSE_SERVER, so that ALSA's "pulse" and "default" devices capture the sine.
// PulseAudio where it is installed; where only PipeWire is (today's desktops, whose sound server
// the tests must not double), a private PipeWire whose sine is a pipe the object keeps full.
// TOLVANE_TEST_SOUND_SERVER=pipewire chooses PipeWire on a machine that has both. The servers
// end with the object.

#include "tests/support/PacedPipeSource.h"
#include "tests/support/PrivatePipeWire.h"
#include "tests/support/SoundServer.h"

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <memory>

namespace tolvane::test {

class PrivatePulse final : public SoundServer {
public:
    explicit PrivatePulse(int sineFrequency = 1000);
    ~PrivatePulse() override;
    PrivatePulse(const PrivatePulse &) = delete;
    PrivatePulse &operator=(const PrivatePulse &) = delete;

    // False when the daemon did not come up; Error() then says why.
    bool Running() const { return m_running; }
    const QString &Error() const { return m_error; }
    // "unix:/.../native", also exported as PULSE_SERVER for this process and its children.
    const QString &Server() const override { return m_server; }
    bool IsPipeWire() const override { return m_pipewire != nullptr; }
    // Ends the daemon at once (SIGKILL), as a crash would.
    void Kill();

private:
    QTemporaryDir m_dir;
    std::unique_ptr<QProcess> m_daemon;
    std::unique_ptr<PrivatePipeWire> m_pipewire;
    std::unique_ptr<PacedPipeSource> m_sine;
    QString m_server;
    QString m_error;
    QByteArray m_previousServer;
    bool m_hadPreviousServer = false;
    bool m_running = false;
};

}  // namespace tolvane::test
