#include "cli/CliCommands.h"

#include <QCoreApplication>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tolvane-cli"));
    return tolvane::cli::Run(QCoreApplication::arguments(), stdout, stderr);
}
