#include "PrivatePulse.h"

#include "tests/support/PacedPipeSource.h"
#include "tests/support/PrivateSessionBus.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QThread>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tolvane::test {

namespace {

bool Installed(const char *program)
{
    return !QStandardPaths::findExecutable(QString::fromLatin1(program)).isEmpty();
}

// PulseAudio where it is installed; PipeWire where it is the desktop's server instead.
// TOLVANE_TEST_SOUND_SERVER=pipewire chooses PipeWire on a machine that has both.
bool UsePipeWire()
{
    if (qgetenv("TOLVANE_TEST_SOUND_SERVER") == "pipewire")
        return true;
    return !Installed("pulseaudio") && Installed("pipewire") && Installed("pipewire-pulse") && Installed("wireplumber");
}

}  // namespace

PrivatePulse::PrivatePulse(int sineFrequency)
{
    const QString root = m_dir.path();
    for (const char *folder : {"/runtime", "/state", "/config"})
        QDir().mkpath(root + folder);

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", root);
    env.insert("XDG_RUNTIME_DIR", root + "/runtime");
    env.insert("XDG_CONFIG_HOME", root + "/config");
    env.insert("XDG_STATE_HOME", root + "/state");
    env.insert("PULSE_RUNTIME_PATH", root + "/runtime");
    env.insert("PULSE_STATE_PATH", root + "/state");
    env.remove("PULSE_SERVER");
    env.remove("DBUS_SESSION_BUS_ADDRESS");

    m_hadPreviousServer = qEnvironmentVariableIsSet("PULSE_SERVER");
    m_previousServer = qgetenv("PULSE_SERVER");
    if (!(UsePipeWire() ? StartPipeWire(env) : StartPulseAudio(sineFrequency, env)))
        return;

    if (UsePipeWire()) {
        Pactl({"load-module", "module-null-sink", "sink_name=null"});
        Pactl({"set-default-sink", "null"});
        // The server's own test source cannot be tuned from outside; a pipe that is kept full
        // plays the sine, mono and at half scale like PulseAudio's.
        const double step = 2 * std::numbers::pi * sineFrequency / 44100;
        m_sine = std::make_unique<PacedPipeSource>(
            *this, "sine",
            [step](qint64 frame, int) {
                return static_cast<quint16>(static_cast<qint16>(std::lround(16384 * std::sin(step * double(frame % 44100)))));
            },
            PacedPipeSource::Pace::Reader, 1);
        if (!m_sine->Ready()) {
            m_error = "the PipeWire server took no sine source: " + Logs();
            return;
        }
    }
    m_running = true;
}

bool PrivatePulse::StartPulseAudio(int sineFrequency, QProcessEnvironment env)
{
    const QString root = m_dir.path();
    const QString socket = root + "/runtime/native";
    QFile config(root + "/default.pa");
    if (!config.open(QIODevice::WriteOnly)) {
        m_error = "cannot write the daemon's configuration";
        return false;
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
    return Start("pulseaudio",
                 {"-n", "-F", root + "/default.pa", "--daemonize=no", "--exit-idle-time=-1", "--disable-shm=yes",
                  "--use-pid-file=no", "--log-target=stderr"},
                 env) &&
           Answers(socket);
}

bool PrivatePulse::StartPipeWire(QProcessEnvironment env)
{
    // WirePlumber, which links the streams to the devices, wants a session bus.
    m_bus = std::make_unique<PrivateSessionBus>();
    if (!m_bus->Running()) {
        m_error = "no session bus for PipeWire: " + m_bus->Error();
        return false;
    }
    env.insert("DBUS_SESSION_BUS_ADDRESS", m_bus->Address());
    // The tests record at 44100 Hz; a graph at that rate passes their sound through unresampled.
    const QString fragments = m_dir.path() + "/config/pipewire/pipewire.conf.d";
    QDir().mkpath(fragments);
    QFile rate(fragments + "/tolvane-test.conf");
    if (!rate.open(QIODevice::WriteOnly) || rate.write("context.properties = { default.clock.rate = 44100 }\n") < 0) {
        m_error = "cannot write the PipeWire configuration";
        return false;
    }
    rate.close();
    const QString runtime = m_dir.path() + "/runtime";
    if (!Start("pipewire", {}, env))
        return false;
    const QDeadlineTimer deadline(10000);
    while (!deadline.hasExpired() && !QFile::exists(runtime + "/pipewire-0"))
        QThread::msleep(20);
    return Start("wireplumber", {}, env) && Start("pipewire-pulse", {}, env) && Answers(runtime + "/native");  // PULSE_RUNTIME_PATH
}

bool PrivatePulse::Start(const QString &program, const QStringList &args, const QProcessEnvironment &env)
{
    auto daemon = std::make_unique<QProcess>();
    daemon->setProcessEnvironment(env);
    daemon->setProcessChannelMode(QProcess::MergedChannels);
    daemon->setStandardOutputFile(m_dir.path() + "/" + program + ".log");
    daemon->start(program, args);
    if (!daemon->waitForStarted(10000)) {
        m_error = program + " did not start: " + daemon->errorString();
        return false;
    }
    m_daemons.push_back(std::move(daemon));
    return true;
}

bool PrivatePulse::Answers(const QString &socket)
{
    m_server = "unix:" + socket;
    qputenv("PULSE_SERVER", m_server.toUtf8());
    const auto allRunning = [this] {
        return std::all_of(m_daemons.begin(), m_daemons.end(),
                           [](const auto &daemon) { return daemon->state() == QProcess::Running; });
    };
    const QDeadlineTimer deadline(15000);
    while (!deadline.hasExpired() && allRunning()) {
        if (QFile::exists(socket) && !Pactl({"info"}).isEmpty())
            return true;
        QThread::msleep(50);
    }
    m_error = "the sound server did not answer: " + Logs();
    return false;
}

QString PrivatePulse::Logs() const
{
    QString logs;
    for (const QString &name : QDir(m_dir.path()).entryList({"*.log"})) {
        QFile log(m_dir.path() + "/" + name);
        log.open(QIODevice::ReadOnly);
        logs += "\n" + name + ": " + QString::fromUtf8(log.readAll().right(2000));
    }
    return logs;
}

PrivatePulse::~PrivatePulse()
{
    m_sine.reset();
    // The last started depends on the earlier ones; it goes first.
    for (auto daemon = m_daemons.rbegin(); daemon != m_daemons.rend(); ++daemon) {
        if ((*daemon)->state() == QProcess::NotRunning)
            continue;
        (*daemon)->terminate();
        if (!(*daemon)->waitForFinished(5000)) {
            (*daemon)->kill();
            (*daemon)->waitForFinished(5000);
        }
    }
    if (m_hadPreviousServer)
        qputenv("PULSE_SERVER", m_previousServer);
    else
        qunsetenv("PULSE_SERVER");
}

QString PrivatePulse::Pactl(const QStringList &args) const
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("PULSE_SERVER", m_server);
    p.setProcessEnvironment(env);
    p.start("pactl", args);
    if (!p.waitForFinished(10000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

}  // namespace tolvane::test
