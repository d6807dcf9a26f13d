// rivetta: completes the header of a WAVE file the recorder did not close normally.
//   rivetta [FILE]      the window (with FILE already shown)
//   rivetta --yes FILE  repair FILE at once, without asking

#include "common/ProgramStart.h"
#include "tools/header_repair/Form1.h"
#include "tools/header_repair/WaveHeaderRepair.h"

#include <QApplication>
#include <QCommandLineParser>

#include <cstdio>

using tolvane::PrintText;

int main(int argc, char *argv[])
{
    QCoreApplication::setApplicationName(QStringLiteral("rivetta"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TOLVANE_VERSION));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Completes the header of a WAVE file that the recorder did not close normally (a crash, a power loss):\n"
        "the RIFF size and the data size are set to match the file's length. Without --yes a window shows\n"
        "the file and asks before it writes."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption yes(QStringLiteral("yes"), QStringLiteral("repair FILE at once, without a window or a question"));
    parser.addOption(yes);
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("the WAVE file to repair"), QStringLiteral("[FILE]"));

    // Checked before any window exists, so that help and mistakes need no display. The window's
    // own options (-platform, -style, ...) are left to QApplication, which removes them below.
    const bool parsed = parser.parse(tolvane::ProgramArguments(argc, argv));
    if (parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all"))) {
        // Before the application exists Qt cannot name the program in the usage line.
        PrintText(stdout, parser.helpText().replace(QStringLiteral("<executable_name>"), QStringLiteral("rivetta")));
        return 0;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        PrintText(stdout, QStringLiteral("rivetta %1\n").arg(QCoreApplication::applicationVersion()));
        return 0;
    }
    const auto refuse = [&](const QString &problem) {
        PrintText(stderr, QStringLiteral("rivetta: %1\nusage: rivetta [FILE]\n       rivetta --yes FILE\n").arg(problem));
        return 2;
    };

    if (parser.isSet(yes)) {
        if (!parsed)
            return refuse(parser.errorText());
        const QStringList files = parser.positionalArguments();
        if (files.isEmpty())
            return refuse(QStringLiteral("--yes needs a FILE"));
        if (files.size() > 1)
            return refuse(QStringLiteral("one FILE at a time"));
        QCoreApplication app(argc, argv);
        const tolvane::RepairResult result = tolvane::RepairWaveHeader(files.first());
        const bool written = result == tolvane::RepairResult::Written;
        PrintText(written ? stdout : stderr, files.first() + QStringLiteral(": ") + tolvane::RepairMessage(result) + QLatin1Char('\n'));
        return written ? 0 : 1;
    }

    if (!tolvane::HasDisplay(tolvane::ProgramArguments(argc, argv))) {
        PrintText(stderr, QStringLiteral("rivetta: no display (DISPLAY and WAYLAND_DISPLAY are unset); "
                                     "rivetta --yes FILE repairs without the window\n"));
        return 1;
    }
    QApplication app(argc, argv);
    if (!parser.parse(QCoreApplication::arguments()))
        return refuse(parser.errorText());
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1)
        return refuse(QStringLiteral("one FILE at a time"));
    tolvane::Form1 window;
    if (!files.isEmpty())
        window.ShowFile(files.first());
    window.show();
    return app.exec();
}
