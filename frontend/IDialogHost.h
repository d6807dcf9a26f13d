#pragma once
// Where the program's modal dialogs and file pickers are shown: the real host runs Qt's modal
// loops, tests put a script in their place so that no test waits on a modal loop.

#include <QString>

class QDialog;
class QWidget;

namespace tolvane {

class IDialogHost {
public:
    virtual ~IDialogHost() = default;
    // Shows the dialog modally and returns once it is hidden; its result says how it was left.
    virtual void ShowModal(QDialog &dialog) = 0;
    // A file-open dialog starting at `start` (its folder and file name); empty when cancelled.
    virtual QString GetOpenFileName(QWidget *parent, const QString &caption, const QString &start,
                                    const QString &filter) = 0;
};

// Qt's modal loops and its file dialog.
class ModalDialogHost final : public IDialogHost {
public:
    void ShowModal(QDialog &dialog) override;
    QString GetOpenFileName(QWidget *parent, const QString &caption, const QString &start,
                            const QString &filter) override;
};

}  // namespace tolvane
