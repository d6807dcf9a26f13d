#pragma once
// Chooses the sound device and the recording input line of a schedule from the mixer's
// devices, or the system's own input setting.

#include "frontend/FormDialog.h"
#include "mixer/interfaces/IMixer.h"

class QCheckBox;
class QLabel;
class QListWidget;

namespace tolvane {

class FrmDialogSourceDevice final : public FormDialog {
    Q_OBJECT
public:
    FrmDialogSourceDevice(const DialogContext &context, QWidget *parent);
    ~FrmDialogSourceDevice() override;

    // A copy with the new device fields on OK; null on Cancel.
    std::shared_ptr<ClsSchedule> ChangeSourceDevice(const ClsSchedule &Schedule);

private:
    void ListDevice_Click(int row);
    void ChkSourceDevice_Click();
    void OKButton_Click();

    std::shared_ptr<ClsSchedule> m_copy;
    // The mixer and its devices live while the dialog is open.
    std::unique_ptr<IMixer> m_mixer;
    std::vector<std::shared_ptr<IDevice>> m_devices;
    QCheckBox *m_systemDevice = nullptr;
    QListWidget *m_device = nullptr;
    QListWidget *m_line = nullptr;
    // Says when the chosen device has no input lines to choose from.
    QLabel *m_lineState = nullptr;
};

}  // namespace tolvane
