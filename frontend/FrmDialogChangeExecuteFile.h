#pragma once
// Chooses the program a schedule runs before or after its recording, and how many seconds
// before the start the before-program runs.

#include "frontend/FormDialog.h"

class QLineEdit;

namespace tolvane {

class FrmDialogChangeExecuteFile final : public FormDialog {
    Q_OBJECT
public:
    FrmDialogChangeExecuteFile(const DialogContext &context, QWidget *parent);

    // A copy with the new program settings on OK; null on Cancel. The caller sets the caption.
    std::shared_ptr<ClsSchedule> ChangeExecuteFile(const ClsSchedule &Schedule, bool isBefore);

private:
    void CSelectFile_Click();
    void OKButton_Click();

    std::shared_ptr<ClsSchedule> m_copy;
    bool m_before = false;
    QLineEdit *m_filePath = nullptr;
    QLineEdit *m_beforeSeconds = nullptr;
};

}  // namespace tolvane
