#pragma once
// Runs the real tolvane-cli program with an application folder of the test's choosing.

#include <QString>
#include <QStringList>

namespace tolvane::test {

struct CliResult {
    int code;
    QString out;
    QString err;
};

CliResult RunCli(const QString &home, const QStringList &args);

}  // namespace tolvane::test
