#include "frontend/FrontEnd.h"
#include "frontend/Translations.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tolvane"));
    QApplication::setApplicationVersion(QStringLiteral(TOLVANE_FRONTEND_VERSION));
    const tolvane::Translations translations(tolvane::Translations::FromEnvironment());
    return tolvane::RunFrontEnd();
}
