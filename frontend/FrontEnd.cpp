#include "FrontEnd.h"

#include "common/AppFolder.h"
#include "common/InstanceLock.h"
#include "frontend/FrontDialogs.h"
#include "frontend/Frmmain.h"
#include "frontend/IDialogHost.h"
#include "services/RealServices.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdio>

namespace tolvane {

int RunFrontEnd()
{
    // Without its folder the program could keep nothing; that is worth saying, unlike a second start.
    if (!AppFolder::EnsureExists()) {
        std::fprintf(stderr, "tolvane: cannot create the application folder %s\n", qPrintable(AppFolder::Path()));
        return 1;
    }
    // The window or the headless recorder, never both: one timetable per folder.
    InstanceLock lock(AppFolder::Path());
    if (!lock.TryAcquire()) {
        // A second window ends silently; the headless recorder (the service) is worth a word.
        if (lock.HolderApp() == QLatin1String("tolvane-cli")) {
            const QString text =
                QCoreApplication::translate("tolvane::FrontEnd", "Tolvaneの録音サービス(tolvane-cli、プロセス%1)が"
                                                                 "このタイムテーブルを録音しているため、ウィンドウは起動しません。")
                    .arg(lock.HolderPid());
            std::fprintf(stderr, "tolvane: %s\n", qPrintable(text));
            QMessageBox::information(nullptr, QStringLiteral("Tolvane"), text);
        }
        return 0;
    }

    Frmmain::Parts parts;
    parts.services = RealServices(AppFolder::Path());
    parts.questions = std::make_shared<MessageBoxQuestioner>();
    parts.dialogs = std::make_shared<FrontDialogs>(parts.questions, std::make_shared<ModalDialogHost>());
    Frmmain window(std::move(parts));
    // The window may live hidden behind its notification icon; the program ends when it unloads.
    QApplication::setQuitOnLastWindowClosed(false);
    QObject::connect(&window, &Frmmain::Unloaded, qApp, &QCoreApplication::quit, Qt::QueuedConnection);
    window.Load();
    window.show();
    return QApplication::exec();
}

}  // namespace tolvane
