#pragma once
// Edits the application-wide options: those the controller keeps and those of the main window.

#include "frontend/FormDialog.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QSpinBox;

namespace tolvane {

class Frmmain;
class TimePicker;

class FrmDialogOption final : public FormDialog {
    Q_OBJECT
public:
    FrmDialogOption(const DialogContext &context, Frmmain &owner);

    // Shows the options and applies them on OK, asking again until the buffer length is taken.
    void ChangeOptions();

private:
    void ShowOptions();
    void UpdateEnabling();
    void ApplyOptions();
    // False when the buffer length was refused; what came before it stays applied.
    bool ApplyBufferLength();

    Frmmain &m_owner;
    QCheckBox *m_endTimeChecker = nullptr;
    QCheckBox *m_endTimeSetter = nullptr;
    QCheckBox *m_makeLog = nullptr;
    QCheckBox *m_monitorBeforeRec = nullptr;
    QCheckBox *m_setTime = nullptr;
    QCheckBox *m_setTimeOnAppStart = nullptr;
    QCheckBox *m_setTimeOnPresetTime = nullptr;
    TimePicker *m_setTimeTime = nullptr;
    QLineEdit *m_timeServer = nullptr;
    QLineEdit *m_bufferLength = nullptr;
    QCheckBox *m_priority = nullptr;
    QComboBox *m_priorityIndex = nullptr;
    QCheckBox *m_alertDoubling = nullptr;
    QCheckBox *m_alertDelete = nullptr;
    QCheckBox *m_wakeFromSuspend = nullptr;
    QSpinBox *m_wakeLeadMinutes = nullptr;
    QCheckBox *m_startMissed = nullptr;
    // What the minutes box showed for the stored lead time: the stored seconds stay unless the
    // user changes the box, since a lead that is not whole minutes has no exact place in it.
    int m_shownWakeLeadMinutes = 0;
};

}  // namespace tolvane
