#pragma once
// Runs the real programs (tolvane-cli, the window) with an application folder of the test's
// choosing, which is also their home (a first run saves into its "Music"): to completion, or in
// the background while the test watches their output.

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <memory>

namespace tolvane::test {

struct CliResult {
    int code;
    QString out;
    QString err;
};

CliResult RunCli(const QString &home, const QStringList &args);

// Starts `program` in the background with TOLVANE_HOME=home, in a dry run (never hibernating,
// powering off or setting the clock), with the extra environment given.
std::unique_ptr<QProcess> StartProgram(const QString &program, const QString &home, const QStringList &args,
                                       QProcessEnvironment env = QProcessEnvironment::systemEnvironment());

// The same, capturing from the given TOLVANE_CAPTURE_SOURCE instead of a sound card.
std::unique_ptr<QProcess> StartOnSource(const QString &program, const QString &home, const QStringList &args,
                                        const QString &source,
                                        QProcessEnvironment env = QProcessEnvironment::systemEnvironment());

// Waits until a file exists at `path`.
bool Appears(const QString &path, int ms = 10000);

// Reads the process's standard output (or error) into `seen` until `text` shows up.
bool WaitForOutput(QProcess &p, const QByteArray &text, QByteArray &seen, bool fromErrors = false, int ms = 20000);

// Sends `signal` to the program, if it still runs (a pid of 0 would signal the whole process
// group, the test runner included).
void Signal(const QProcess &p, int signal);

// Waits for the end while the test's own event loop turns (its servers keep answering).
bool WaitFinished(QProcess &p, int ms = 30000);

}  // namespace tolvane::test
