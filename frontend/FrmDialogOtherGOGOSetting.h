#pragma once
// Edits the detailed MP3 encoder settings of a schedule: psychoacoustics, the low-pass filter,
// threads, instruction sets and forced sample frequencies.

#include "frontend/FormDialog.h"

class QCheckBox;
class QLabel;
class QSlider;

namespace tolvane {

class ChoiceBox;

class FrmDialogOtherGOGOSetting final : public FormDialog {
    Q_OBJECT
public:
    FrmDialogOtherGOGOSetting(const DialogContext &context, QWidget *parent);

    // The edited copy on OK; null on Cancel.
    std::shared_ptr<ClsSchedule> ChangeOtherGOGOSetting(const ClsSchedule &Schedule);

private:
    void ShowCopy();
    void ShowFilterBand();
    void UpdateEnabling();
    void OKButton_Click();

    std::shared_ptr<ClsSchedule> m_copy;
    QCheckBox *m_notUsePsy = nullptr;
    QCheckBox *m_notUseLPF = nullptr;
    QCheckBox *m_customizeLPF = nullptr;
    QSlider *m_lpfA = nullptr;
    QSlider *m_lpfB = nullptr;
    QLabel *m_lpfALabel = nullptr;
    QLabel *m_lpfBLabel = nullptr;
    QCheckBox *m_setnCPU = nullptr;
    ChoiceBox *m_nCPU = nullptr;
    QCheckBox *m_setPriority = nullptr;
    ChoiceBox *m_priority = nullptr;
    QCheckBox *m_notUseEnhancedCPU = nullptr;
    QCheckBox *m_notUseMMX = nullptr;
    QCheckBox *m_notUse3DNow = nullptr;
    QCheckBox *m_notUseSSE = nullptr;
    QCheckBox *m_notUseEnhanced3DNow = nullptr;
    QCheckBox *m_setIOFreq = nullptr;
    ChoiceBox *m_inFreq = nullptr;
    ChoiceBox *m_outFreq = nullptr;
};

}  // namespace tolvane
