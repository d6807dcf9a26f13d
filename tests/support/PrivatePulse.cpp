#include "PrivatePulse.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QThread>

#include <cmath>
#include <cstdlib>
#include <numbers>

namespace tolvane::test {

namespace {

bool UsePipeWire()
{
    if (qgetenv("TOLVANE_TEST_SOUND_SERVER") == "pipewire")
        return true;
    return QStandardPaths::findExecutable(QStringLiteral("pulseaudio")).isEmpty() && PrivatePipeWire::Installed();
}

}  // namespace

PrivatePulse::PrivatePulse(int sineFrequency)
{
    if (UsePipeWire()) {
        m_pipewire = std::make_unique<PrivatePipeWire>();
        m_server = m_pipewire->Server();
        if (!m_pipewire->Running()) {
            m_error = m_pipewire->Error();
            return;
        }
        Pactl({"load-module", "module-null-sink", "sink_name=null"});
        Pactl({"set-default-sink", "null"});
        // PipeWire's own test source cannot be tuned from outside: a pipe plays the sine, mono
        // and at half scale like PulseAudio's.
        const double step = 2 * std::numbers::pi * sineFrequency / PacedPipeSource::kRate;
        m_sine = std::make_unique<PacedPipeSource>(
            *this, "sine",
            [step](qint64 frame, int) {
                const double phase = step * double(frame % PacedPipeSource::kRate);
                return static_cast<quint16>(static_cast<qint16>(std::lround(16384 * std::sin(phase))));
            },
            PacedPipeSource::Pace::Graph, 1);
        m_running = m_sine->Ready();
        if (!m_running)
            m_error = "PipeWire took no sine source";
        return;
    }

    const QString root = m_dir.path();
    QDir().mkpath(root + "/runtime");
    QDir().mkpath(root + "/state");
    const QString socket = root + "/runtime/native";
    m_server = "unix:" + socket;

    QFile config(root + "/default.pa");
    if (!config.open(QIODevice::WriteOnly)) {
        m_error = "cannot write the daemon's configuration";
        return;
    }
    config.write(QStringLiteral("load-module module-null-sink sink_name=null\n"
                                "load-module module-sine-source source_name=sine rate=44100 frequency=%1\n"
                                "set-default-source sine\n"
                                "set-default-sink null\n"
                                "load-module module-native-protocol-unix auth-anonymous=1 socket=%2\n")
                     .arg(sineFrequency)
                     .arg(socket)
                     .toUtf8());
    config.close();

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", root);
    env.insert("XDG_RUNTIME_DIR", root + "/runtime");
    env.insert("PULSE_RUNTIME_PATH", root + "/runtime");
    env.insert("PULSE_STATE_PATH", root + "/state");
    env.remove("PULSE_SERVER");
    env.remove("DBUS_SESSION_BUS_ADDRESS");
    m_daemon = std::make_unique<QProcess>();
    m_daemon->setProcessEnvironment(env);
    m_daemon->setProcessChannelMode(QProcess::MergedChannels);
    m_daemon->setStandardOutputFile(root + "/daemon.log");
    m_daemon->start("pulseaudio", {"-n", "-F", root + "/default.pa", "--daemonize=no", "--exit-idle-time=-1",
                                   "--disable-shm=yes", "--use-pid-file=no", "--log-target=stderr"});
    if (!m_daemon->waitForStarted(10000)) {
        m_error = "pulseaudio did not start: " + m_daemon->errorString();
        return;
    }

    m_hadPreviousServer = qEnvironmentVariableIsSet("PULSE_SERVER");
    m_previousServer = qgetenv("PULSE_SERVER");
    qputenv("PULSE_SERVER", m_server.toUtf8());

    const QDeadlineTimer deadline(15000);
    while (!deadline.hasExpired()) {
        if (QFile::exists(socket) && !Pactl({"info"}).isEmpty()) {
            m_running = true;
            return;
        }
        if (m_daemon->state() != QProcess::Running)
            break;
        QThread::msleep(50);
    }
    QFile log(root + "/daemon.log");
    log.open(QIODevice::ReadOnly);
    m_error = "pulseaudio did not answer: " + QString::fromUtf8(log.readAll().right(2000));
}

PrivatePulse::~PrivatePulse()
{
    m_sine.reset();
    if (m_pipewire) {
        m_pipewire.reset();
        return;
    }
    if (m_daemon && m_daemon->state() != QProcess::NotRunning) {
        m_daemon->terminate();
        if (!m_daemon->waitForFinished(5000)) {
            m_daemon->kill();
            m_daemon->waitForFinished(5000);
        }
    }
    if (m_hadPreviousServer)
        qputenv("PULSE_SERVER", m_previousServer);
    else
        qunsetenv("PULSE_SERVER");
}

void PrivatePulse::Kill()
{
    if (m_pipewire) {
        m_pipewire->Kill();
        m_running = false;
        return;
    }
    if (m_daemon && m_daemon->state() != QProcess::NotRunning) {
        m_daemon->kill();
        m_daemon->waitForFinished(5000);
    }
    m_running = false;
}

}  // namespace tolvane::test
