// encorda: the MP3 encoder server. Its client starts it and talks to it over its standard
// input and output; see EncordaProtocol.h.

#include "common/FileWrite.h"
#include "encoder/EncordaServer.h"

#include <QCoreApplication>

#include <csignal>
#include <unistd.h>

int main(int argc, char *argv[])
{
    // A client that has gone, or a file grown past its limit, must come back as a failed write
    // that the server reports, not as a signal that ends it with the job half done.
    std::signal(SIGPIPE, SIG_IGN);
    tolvane::IgnoreFileSizeSignal();

    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("encorda"));
    tolvane::encorda::EncordaServer server(STDIN_FILENO, STDOUT_FILENO);
    if (!server.Start())
        return 1;
    return QCoreApplication::exec();
}
