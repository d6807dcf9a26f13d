#include "frontend/FrontEnd.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tolvane"));
    QApplication::setApplicationVersion(QStringLiteral(TOLVANE_FRONTEND_VERSION));
    return tolvane::RunFrontEnd();
}
