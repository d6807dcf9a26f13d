#include "PrivatePipeWire.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QThread>

#include <csignal>

namespace tolvane::test {

bool PrivatePipeWire::Installed()
{
    for (const char *program : {"pipewire", "pipewire-pulse", "wireplumber", "dbus-run-session"}) {
        if (QStandardPaths::findExecutable(QString::fromLatin1(program)).isEmpty())
            return false;
    }
    return true;
}

PrivatePipeWire::PrivatePipeWire()
{
    const QString root = m_dir.path();
    const QString runtime = root + "/runtime";
    QDir().mkpath(runtime);
    QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QDir().mkpath(root + "/config/pipewire/pipewire.conf.d");
    QFile clock(root + "/config/pipewire/pipewire.conf.d/test-clock.conf");
    if (!clock.open(QIODevice::WriteOnly)) {
        m_error = "cannot write the server's configuration";
        return;
    }
    clock.write("context.properties = {\n"
                "    default.clock.rate = 44100\n"
                "    default.clock.allowed-rates = [ 44100 ]\n"
                "    default.clock.quantum = 256\n"
                "    default.clock.min-quantum = 256\n"
                "    default.clock.max-quantum = 256\n"
                "}\n");
    clock.close();
    m_server = "unix:" + runtime + "/pulse/native";

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", root);
    env.insert("XDG_RUNTIME_DIR", runtime);
    env.insert("XDG_CONFIG_HOME", root + "/config");
    env.insert("XDG_STATE_HOME", root + "/state");
    env.remove("PULSE_SERVER");
    env.remove("DBUS_SESSION_BUS_ADDRESS");
    m_session = std::make_unique<QProcess>();
    m_session->setProcessEnvironment(env);
    m_session->setProcessChannelMode(QProcess::MergedChannels);
    m_session->setStandardOutputFile(root + "/server.log");
    // The session shell ends the three servers with itself.
    m_session->start("dbus-run-session",
                     {"--", "sh", "-c",
                      "trap 'kill $(jobs -p)' TERM; pipewire & sleep 0.3; wireplumber & pipewire-pulse & wait"});
    if (!m_session->waitForStarted(10000)) {
        m_error = "dbus-run-session did not start: " + m_session->errorString();
        return;
    }

    m_hadPreviousServer = qEnvironmentVariableIsSet("PULSE_SERVER");
    m_previousServer = qgetenv("PULSE_SERVER");
    qputenv("PULSE_SERVER", m_server.toUtf8());

    const QDeadlineTimer deadline(20000);
    while (!deadline.hasExpired()) {
        // Ready once the session manager has made the default sink.
        if (!Pactl({"get-default-sink"}).trimmed().isEmpty()) {
            m_running = true;
            return;
        }
        if (m_session->state() != QProcess::Running)
            break;
        QThread::msleep(100);
    }
    QFile log(root + "/server.log");
    log.open(QIODevice::ReadOnly);
    m_error = "PipeWire did not answer: " + QString::fromUtf8(log.readAll().right(2000));
}

PrivatePipeWire::~PrivatePipeWire()
{
    if (m_session && m_session->state() != QProcess::NotRunning) {
        m_session->terminate();
        if (!m_session->waitForFinished(5000)) {
            m_session->kill();
            m_session->waitForFinished(5000);
        }
    }
    if (m_hadPreviousServer)
        qputenv("PULSE_SERVER", m_previousServer);
    else
        qunsetenv("PULSE_SERVER");
}

void PrivatePipeWire::Kill()
{
    // The session's shell ends the servers with itself.
    if (m_session && m_session->state() != QProcess::NotRunning) {
        m_session->terminate();
        m_session->waitForFinished(5000);
    }
    m_running = false;
}

}  // namespace tolvane::test
