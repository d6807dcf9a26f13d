#include "common/ProgramStart.h"
#include "frontend/FrontEnd.h"
#include "frontend/Translations.h"

#include <QApplication>
#include <QCommandLineParser>

#include <cstdio>

using tolvane::PrintText;

int main(int argc, char *argv[])
{
    QCoreApplication::setApplicationName(QStringLiteral("tolvane"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TOLVANE_FRONTEND_VERSION));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "The window of the Tolvane timetable sound recorder: the schedules, the recording status and a level\n"
        "meter. One Tolvane runs the timetable of an application folder ($TOLVANE_HOME, else\n"
        "$XDG_DATA_HOME/tolvane); a second window ends at once. Without a display, tolvane-cli records\n"
        "the same timetable. See tolvane(1)."));
    parser.addHelpOption();
    parser.addVersionOption();

    // Help and version need no display, so they are answered before any window exists. The
    // window's own options (-platform, -style, ...) are QApplication's, which removes them.
    const QStringList arguments = tolvane::ProgramArguments(argc, argv);
    parser.parse(arguments);
    if (parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all"))) {
        // Before the application exists Qt cannot name the program in the usage line.
        PrintText(stdout, parser.helpText().replace(QStringLiteral("<executable_name>"), QStringLiteral("tolvane")));
        return 0;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        PrintText(stdout, QStringLiteral("tolvane %1\n").arg(QCoreApplication::applicationVersion()));
        return 0;
    }
    if (!tolvane::HasDisplay(arguments)) {
        PrintText(stderr, QStringLiteral("tolvane: no display (DISPLAY and WAYLAND_DISPLAY are unset). Without one, "
                                     "use the headless recorder:\n"
                                     "  tolvane-cli status    the schedules\n"
                                     "  tolvane-cli run       record the timetable\n"));
        return 1;
    }

    QApplication app(argc, argv);
    if (!parser.parse(QCoreApplication::arguments()) || !parser.positionalArguments().isEmpty()) {
        const QString problem = parser.errorText().isEmpty()
                                    ? QStringLiteral("unexpected argument \"%1\"").arg(parser.positionalArguments().first())
                                    : parser.errorText();
        PrintText(stderr, QStringLiteral("tolvane: %1\nusage: tolvane [--help] [--version]\n").arg(problem));
        return 2;
    }
    const tolvane::Translations translations(tolvane::Translations::FromEnvironment());
    return tolvane::RunFrontEnd();
}
