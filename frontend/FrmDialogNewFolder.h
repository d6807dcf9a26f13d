#pragma once
// Asks for the name of a new folder and creates it in a given parent folder.

#include "frontend/FormDialog.h"

class QLineEdit;

namespace tolvane {

class FrmDialogNewFolder final : public FormDialog {
    Q_OBJECT
public:
    FrmDialogNewFolder(const DialogContext &context, QWidget *parent);

    // The name of the folder created, or the empty text on Cancel.
    QString MakeNewFolder(const QString &ParentDirPath);

private:
    void OKButton_Click();

    QString m_parentPath;
    QLineEdit *m_name = nullptr;
};

}  // namespace tolvane
