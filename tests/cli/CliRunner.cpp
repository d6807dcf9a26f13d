#include "CliRunner.h"

#include <csignal>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QThread>

namespace tolvane::test {

namespace {

// The program's folder, and a home of its own: a first run makes the user's music folder,
// which must not be the real one.
void UseHome(QProcessEnvironment &env, const QString &home)
{
    env.insert("TOLVANE_HOME", home);
    env.insert("HOME", home);
    for (const char *name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME"}) {
        if (env.value(name) == qEnvironmentVariable(name))
            env.remove(name);
    }
}

}  // namespace

CliResult RunCli(const QString &home, const QStringList &args)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    UseHome(env, home);
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(TOLVANE_CLI), args);
    p.waitForFinished(30000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

std::unique_ptr<QProcess> StartProgram(const QString &program, const QString &home, const QStringList &args,
                                       QProcessEnvironment env)
{
    auto p = std::make_unique<QProcess>();
    UseHome(env, home);
    env.insert("TOLVANE_DRY_RUN", "1");
    p->setProcessEnvironment(env);
    p->start(program, args);
    p->waitForStarted(10000);
    return p;
}

std::unique_ptr<QProcess> StartOnSource(const QString &program, const QString &home, const QStringList &args,
                                        const QString &source, QProcessEnvironment env)
{
    env.insert("TOLVANE_CAPTURE_SOURCE", source);
    return StartProgram(program, home, args, env);
}

bool Appears(const QString &path, int ms)
{
    const QDeadlineTimer deadline(ms);
    while (!deadline.hasExpired() && !QFile::exists(path))
        QThread::msleep(50);
    return QFile::exists(path);
}

bool WaitForOutput(QProcess &p, const QByteArray &text, QByteArray &seen, bool fromErrors, int ms)
{
    const QDeadlineTimer deadline(ms);
    while (!deadline.hasExpired()) {
        p.waitForReadyRead(100);
        seen += fromErrors ? p.readAllStandardError() : p.readAllStandardOutput();
        if (seen.contains(text))
            return true;
    }
    return false;
}

bool WaitFinished(QProcess &p, int ms)
{
    const QDeadlineTimer deadline(ms);
    while (p.state() != QProcess::NotRunning && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        p.waitForFinished(20);
    }
    return p.state() == QProcess::NotRunning;
}

void Signal(const QProcess &p, int signal)
{
    if (p.state() != QProcess::NotRunning && p.processId() > 0)
        ::kill(static_cast<pid_t>(p.processId()), signal);
}

}  // namespace tolvane::test
