#pragma once
// Chooses the sound device and the recording input line of a schedule from the mixer's
// devices (the sound server's sources among them), or the system's own input setting, or an
// internet radio stream, which can be listened to for a few seconds first.

#include "frontend/FormDialog.h"
#include "core/platform/CoreServices.h"
#include "mixer/interfaces/IMixer.h"

#include <array>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QRadioButton;

namespace tolvane {

class StreamLevelProbe;

class FrmDialogSourceDevice final : public FormDialog {
    Q_OBJECT
public:
    FrmDialogSourceDevice(const DialogContext &context, QWidget *parent);
    ~FrmDialogSourceDevice() override;

    // A copy with the new source fields on OK; null on Cancel.
    std::shared_ptr<ClsSchedule> ChangeSourceDevice(const ClsSchedule &Schedule);

private:
    void ListDevice_Click(int row);
    void ChkSourceDevice_Click();
    void OKButton_Click();
    void OptSource_Click();
    void CTestStream_Click();
    // The server's name of the source that row `row` of the device list is; empty when the row
    // is not one of the server's sources.
    QString ServerSourceOf(int row) const;

    std::shared_ptr<ClsSchedule> m_copy;
    // The mixer and its devices live while the dialog is open.
    std::unique_ptr<IMixer> m_mixer;
    std::vector<std::shared_ptr<IDevice>> m_devices;
    QCheckBox *m_systemDevice = nullptr;
    QListWidget *m_device = nullptr;
    QListWidget *m_line = nullptr;
    // Says when the chosen device has no input lines to choose from.
    QLabel *m_lineState = nullptr;
    // The device list as the services read it with the mixer: the server's names of its sources.
    std::vector<CoreServices::ListedDevice> m_soundDevices;
    QRadioButton *m_fromDevice = nullptr;
    QRadioButton *m_fromStream = nullptr;
    QLineEdit *m_url = nullptr;
    QPushButton *m_test = nullptr;
    std::array<QProgressBar *, 2> m_level{};
    QLabel *m_streamState = nullptr;
    StreamLevelProbe *m_probe = nullptr;
};

}  // namespace tolvane
