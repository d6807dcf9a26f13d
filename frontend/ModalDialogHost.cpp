#include "IDialogHost.h"

#include <QDialog>
#include <QFileDialog>

namespace tolvane {

void ModalDialogHost::ShowModal(QDialog &dialog)
{
    dialog.exec();
}

QString ModalDialogHost::GetOpenFileName(QWidget *parent, const QString &caption, const QString &start,
                                         const QString &filter)
{
    return QFileDialog::getOpenFileName(parent, caption, start, filter);
}

}  // namespace tolvane
