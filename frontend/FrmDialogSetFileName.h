#pragma once
// Edits a schedule's file-name template and the time of day at which its "day" begins.

#include "frontend/FormDialog.h"

#include <QStringList>

class QLineEdit;

namespace tolvane {

class TimePicker;

class FrmDialogSetFileName final : public FormDialog {
    Q_OBJECT
public:
    FrmDialogSetFileName(const DialogContext &context, QWidget *parent);

    // A copy with the new FileName and TimeDayStart on OK; null on Cancel.
    std::shared_ptr<ClsSchedule> ChangeFileName(const ClsSchedule &Schedule);

    // The help lines that list the template's codes, shared with the tag dialog.
    static QStringList CodeLines();

private:
    void OKButton_Click();

    std::shared_ptr<ClsSchedule> m_copy;
    QLineEdit *m_fileName = nullptr;
    TimePicker *m_timeDayStart = nullptr;
};

}  // namespace tolvane
