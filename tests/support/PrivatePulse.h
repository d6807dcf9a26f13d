#pragma once
// A private PulseAudio daemon for tests: a null sink and a sine source in a temporary folder,
// reached through PULSE_SERVER, so that ALSA's "pulse" and "default" devices capture the sine.
// The daemon ends with the object.

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
    const QString &Server() const { return m_server; }
    // Runs pactl against the daemon; its standard output, or an empty text on failure.
    QString Pactl(const QStringList &args) const override;
    // Ends the daemon at once (SIGKILL), as a crash would.
    void Kill();

private:
    QTemporaryDir m_dir;
    std::unique_ptr<QProcess> m_daemon;
    QString m_server;
    QString m_error;
    QByteArray m_previousServer;
    bool m_hadPreviousServer = false;
    bool m_running = false;
};

}  // namespace tolvane::test
