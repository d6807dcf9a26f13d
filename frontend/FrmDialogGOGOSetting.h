#pragma once
// Edits the main MP3 encoder settings of a schedule: output mode and format, constant or
// variable bit rate, the intermediate WAVE file and the ID3 tag.

#include "frontend/FormDialog.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QSlider;

namespace tolvane {

class ChoiceBox;

class FrmDialogGOGOSetting final : public FormDialog {
    Q_OBJECT
public:
    FrmDialogGOGOSetting(const DialogContext &context, QWidget *parent);

    // The edited copy on OK; null on Cancel.
    std::shared_ptr<ClsSchedule> ChangeGOGOSetting(const ClsSchedule &Schedule);

private:
    void ShowCopy();
    void UpdateEnabling();
    void CSetOther_Click();
    void CSetTag_Click();
    void OKButton_Click();

    std::shared_ptr<ClsSchedule> m_copy;
    ChoiceBox *m_stereo = nullptr;
    ChoiceBox *m_fileFormat = nullptr;
    ChoiceBox *m_mpeg1 = nullptr;
    ChoiceBox *m_mpeg2 = nullptr;
    QCheckBox *m_vbr = nullptr;
    QSlider *m_vbrQuality = nullptr;
    QLabel *m_vbrQualityValue = nullptr;
    QCheckBox *m_vbrSetLimit = nullptr;
    ChoiceBox *m_vbrMax = nullptr;
    ChoiceBox *m_vbrMin = nullptr;
    QCheckBox *m_makeWavFile = nullptr;
    QCheckBox *m_deleteWavFile = nullptr;
    QCheckBox *m_makeID3Tag = nullptr;
    QPushButton *m_setTag = nullptr;
};

}  // namespace tolvane
