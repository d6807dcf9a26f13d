// rivetta: completes the header of a WAVE file the recorder did not close normally.
//   rivetta [FILE]      the window (with FILE already shown)
//   rivetta --yes FILE  repair FILE at once, without asking

#include "tools/header_repair/Form1.h"
#include "tools/header_repair/WaveHeaderRepair.h"

#include <QApplication>
#include <QCoreApplication>

#include <cstdio>
#include <cstring>

int main(int argc, char *argv[])
{
    if (argc == 3 && std::strcmp(argv[1], "--yes") == 0) {
        QCoreApplication app(argc, argv);
        const tolvane::RepairResult result = tolvane::RepairWaveHeader(QString::fromLocal8Bit(argv[2]));
        const QByteArray message = tolvane::RepairMessage(result).toUtf8();
        const bool written = result == tolvane::RepairResult::Written;
        std::fprintf(written ? stdout : stderr, "%s: %s\n", argv[2], message.constData());
        return written ? 0 : 1;
    }
    if (argc > 2 || (argc == 2 && argv[1][0] == '-')) {
        std::fprintf(stderr, "usage: rivetta [FILE]\n       rivetta --yes FILE\n");
        return 2;
    }
    QApplication app(argc, argv);
    tolvane::Form1 window;
    if (argc == 2)
        window.ShowFile(QString::fromLocal8Bit(argv[1]));
    window.show();
    return app.exec();
}
