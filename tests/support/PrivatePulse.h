#pragma once
// A private sound server for tests: a null sink and a sine source in a temporary folder,
// reached through PULSE_SERVER, so that ALSA's "pulse" and "default" devices capture the sine.
// PulseAudio when it is installed; otherwise PipeWire with its PulseAudio server (the sound
// server of today's desktops), whose sine comes from a pipe the object feeds. The daemons end
// with the object.

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <memory>
#include <vector>

namespace tolvane::test {

class PacedPipeSource;
class PrivateSessionBus;

class PrivatePulse {
public:
    explicit PrivatePulse(int sineFrequency = 1000);
    ~PrivatePulse();
    PrivatePulse(const PrivatePulse &) = delete;
    PrivatePulse &operator=(const PrivatePulse &) = delete;

    // False when the daemon did not come up; Error() then says why.
    bool Running() const { return m_running; }
    const QString &Error() const { return m_error; }
    // "unix:/.../native", also exported as PULSE_SERVER for this process and its children.
    const QString &Server() const { return m_server; }
    // PipeWire's PulseAudio server rather than PulseAudio itself.
    bool IsPipeWire() const { return m_bus != nullptr; }
    // Runs pactl against the daemon; its standard output, or an empty text on failure.
    QString Pactl(const QStringList &args) const;

private:
    // Starts a daemon of the server's; false (with m_error) when it does not start.
    bool Start(const QString &program, const QStringList &args, const QProcessEnvironment &env);
    bool StartPulseAudio(int sineFrequency, QProcessEnvironment env);
    bool StartPipeWire(QProcessEnvironment env);
    // Waits until the server answers on its socket.
    bool Answers(const QString &socket);
    QString Logs() const;

    QTemporaryDir m_dir;
    std::unique_ptr<PrivateSessionBus> m_bus;
    std::vector<std::unique_ptr<QProcess>> m_daemons;  // in the order they were started
    std::unique_ptr<PacedPipeSource> m_sine;
    QString m_server;
    QString m_error;
    QByteArray m_previousServer;
    bool m_hadPreviousServer = false;
    bool m_running = false;
};

}  // namespace tolvane::test
