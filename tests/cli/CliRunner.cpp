#include "CliRunner.h"

#include <QProcess>

namespace tolvane::test {

CliResult RunCli(const QString &home, const QStringList &args)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("TOLVANE_HOME", home);
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(TOLVANE_CLI), args);
    p.waitForFinished(30000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

}  // namespace tolvane::test
