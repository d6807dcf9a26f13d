#pragma once
// Edits how a schedule captures sound: sample width, rate and channels, silence cutting and
// splitting, and whether an MP3 is made from the recording.

#include "frontend/FormDialog.h"

#include <array>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace tolvane {

class TimePicker;

class FrmDialogWaveSetting final : public FormDialog {
    Q_OBJECT
public:
    FrmDialogWaveSetting(const DialogContext &context, QWidget *parent);

    // The edited copy on OK; null on Cancel.
    std::shared_ptr<ClsSchedule> ChangeWaveSetting(const ClsSchedule &Schedule);

private:
    void ShowCopy();
    void OptionFreq_Click();
    void CMP3Setting_Click();
    void OKButton_Click();
    // False, after telling the user and focusing the box, when a value cannot be taken.
    bool CheckSplitSeconds(double &seconds);
    bool CheckSplitTime();
    bool CheckNoSounddB();
    void Refuse(QWidget *control, const QString &text, bool warning);

    std::shared_ptr<ClsSchedule> m_copy;
    std::array<QRadioButton *, 2> m_bit{};
    std::array<QRadioButton *, 5> m_frequency{};
    std::array<QRadioButton *, 2> m_channel{};
    QCheckBox *m_startNoSound = nullptr;
    QCheckBox *m_endNoSound = nullptr;
    QLineEdit *m_noSounddB = nullptr;
    QCheckBox *m_split = nullptr;
    QLineEdit *m_splitSeconds = nullptr;
    QCheckBox *m_splitByTime = nullptr;
    TimePicker *m_splitTime = nullptr;
    QCheckBox *m_autoEncode = nullptr;
    QPushButton *m_mp3Setting = nullptr;
};

}  // namespace tolvane
