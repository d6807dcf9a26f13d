// encorda: the MP3 encoder server. Its client starts it and talks to it over its standard
// input and output; see EncordaProtocol.h.

#include "common/FileWrite.h"
#include "encoder/EncordaServer.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <csignal>
#include <cstdio>
#include <unistd.h>

int main(int argc, char *argv[])
{
    // A client that has gone, or a file grown past its limit, must come back as a failed write
    // that the server reports, not as a signal that ends it with the job half done.
    std::signal(SIGPIPE, SIG_IGN);
    tolvane::IgnoreFileSizeSignal();

    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("encorda"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TOLVANE_VERSION));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "The MP3 encoder server of the Tolvane recorder. The recorder starts it and speaks a binary protocol\n"
        "with it over its standard input and output; it is not meant to be run by hand. See encorda(1)."));
    parser.addHelpOption();
    parser.addVersionOption();
    if (!parser.parse(QCoreApplication::arguments()) || !parser.positionalArguments().isEmpty()) {
        std::fprintf(stderr, "encorda: %s\nusage: encorda [--help] [--version]\n",
                     qPrintable(parser.errorText().isEmpty() ? QStringLiteral("it takes no arguments") : parser.errorText()));
        return 2;
    }
    if (parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all"))) {
        std::fputs(qPrintable(parser.helpText()), stdout);
        return 0;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        std::printf("encorda %s\n", qPrintable(QCoreApplication::applicationVersion()));
        return 0;
    }
    // Its replies are binary messages for the recorder; on a terminal they would only garble it.
    if (::isatty(STDIN_FILENO) || ::isatty(STDOUT_FILENO)) {
        std::fprintf(stderr, "encorda: the MP3 encoder of tolvane-cli and tolvane, started by them; "
                             "it does not run on a terminal\n");
        return 2;
    }

    tolvane::encorda::EncordaServer server(STDIN_FILENO, STDOUT_FILENO);
    if (!server.Start())
        return 1;
    return QCoreApplication::exec();
}
