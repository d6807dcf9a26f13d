#pragma once
// Sets up a recording started by hand: its format, silence cutting and save folder, on a copy
// of the default schedule.

#include "frontend/FormDialog.h"

#include <array>

class QCheckBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace tolvane {

class FrmDialogRec final : public FormDialog {
    Q_OBJECT
public:
    FrmDialogRec(const DialogContext &context, QWidget *parent);

    // A configured copy on "録音開始"; null on Cancel.
    std::shared_ptr<ClsSchedule> SetManualRecord(const ClsSchedule &Default);

private:
    void OptFormat_Click();
    void CChangeFormatSetting0_Click();
    void CChangeFormatSetting1_Click();
    void CChangePath_Click();
    void OKButton_Click();

    std::shared_ptr<ClsSchedule> m_copy;
    std::array<QRadioButton *, 2> m_format{};
    std::array<QPushButton *, 2> m_formatSetting{};
    QCheckBox *m_startNoSound = nullptr;
    QCheckBox *m_endNoSound = nullptr;
    QLabel *m_savePath = nullptr;
};

}  // namespace tolvane
