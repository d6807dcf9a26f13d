#include "ServiceCommand.h"

#include "cli/ConsoleOutput.h"
#include "cli/ServiceUnit.h"
#include "core/persistence/AtomicFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>

namespace tolvane::cli {

namespace {

const QString kUnitName = QStringLiteral("tolvane.service");

QString UnitPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/systemd/user/") +
           kUnitName;
}

// Runs `systemctl --user ARGS`; false (with its own words) when it fails.
bool Systemctl(const QStringList &args, QString &problem)
{
    QProcess p;
    p.start(QStringLiteral("systemctl"), QStringList{QStringLiteral("--user")} + args);
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        problem = QStringLiteral("systemctl --user %1 failed: %2")
                      .arg(args.join(QLatin1Char(' ')),
                           p.error() == QProcess::FailedToStart ? QStringLiteral("systemctl not found")
                                                                : QString::fromLocal8Bit(p.readAllStandardError()).trimmed());
        return false;
    }
    return true;
}

// Text inside double quotes of a unit file: systemd reads % as a specifier and backslash
// sequences as C escapes, so these stand for themselves only when doubled or escaped.
QString QuotedUnitText(QString text)
{
    text.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    text.replace(QLatin1Char('"'), QStringLiteral("\\\""));
    text.replace(QLatin1Char('%'), QStringLiteral("%%"));
    text.replace(QLatin1Char('\n'), QStringLiteral("\\n"));
    return text;
}

}  // namespace

QString ServiceUnitText()
{
    QString text = QString::fromUtf8(kServiceUnitTemplate);
    text.replace(QStringLiteral("{BIN}"), QuotedUnitText(QCoreApplication::applicationDirPath()));
    // A recorder kept elsewhere than the default folder keeps its folder as a service too.
    const QString home = qEnvironmentVariable("TOLVANE_HOME");
    if (!home.isEmpty())
        text.replace(QStringLiteral("[Service]\n"),
                     QStringLiteral("[Service]\nEnvironment=\"TOLVANE_HOME=%1\"\n")
                         .arg(QuotedUnitText(QDir(home).absolutePath())));
    return text;
}

int ManageService(const QString &action, std::FILE *out, std::FILE *err)
{
    ConsoleOutput console(out, err);
    QString problem;
    const QString path = UnitPath();
    if (action == QLatin1String("install")) {
        QDir().mkpath(QFileInfo(path).absolutePath());
        try {
            WriteFileAtomically(path, ServiceUnitText().toUtf8(), QStringLiteral("service"));
        } catch (const NumberedError &e) {
            console.Error(QStringLiteral("cannot write %1: %2").arg(path, e.Description()));
            return 1;
        }
        Print(out, QStringLiteral("wrote %1\n").arg(path));
        if (!Systemctl({QStringLiteral("daemon-reload")}, problem) ||
            !Systemctl({QStringLiteral("enable"), QStringLiteral("--now"), kUnitName}, problem)) {
            console.Error(problem);
            return 1;
        }
        Print(out, QStringLiteral("the recorder runs as the user service %1 and starts with your session;\n"
                                  "see it with: journalctl --user -u %1\n")
                       .arg(kUnitName));
        return 0;
    }
    if (action == QLatin1String("uninstall")) {
        const bool ok = Systemctl({QStringLiteral("disable"), QStringLiteral("--now"), kUnitName}, problem);
        if (!ok)
            console.Error(problem);
        if (QFile::exists(path) && !QFile::remove(path)) {
            console.Error(QStringLiteral("cannot remove %1").arg(path));
            return 1;
        }
        Systemctl({QStringLiteral("daemon-reload")}, problem);
        Print(out, QStringLiteral("removed the user service %1\n").arg(kUnitName));
        return ok ? 0 : 1;
    }
    console.Error(QStringLiteral("service takes install or uninstall"));
    return 2;
}

}  // namespace tolvane::cli
