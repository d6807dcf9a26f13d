#include "SoundServer.h"

#include <QProcess>
#include <QProcessEnvironment>

namespace tolvane::test {

QString SoundServer::Pactl(const QStringList &args) const
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("PULSE_SERVER", Server());
    p.setProcessEnvironment(env);
    p.start("pactl", args);
    if (!p.waitForFinished(10000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

}  // namespace tolvane::test
