#pragma once
// Sets the end of the running recording, as a time of day or as the time left from now.

#include "core/schedule/TimeOfDay.h"
#include "frontend/FormDialog.h"

#include <optional>

class QRadioButton;

namespace tolvane {

class TimePicker;

class FrmDialogChangeEndTime final : public FormDialog {
    Q_OBJECT
public:
    FrmDialogChangeEndTime(const DialogContext &context, QWidget *parent);

    // The new end time of day on OK; nothing on Cancel.
    std::optional<Seconds> ChangeEndTime(Seconds iEndTime);

private:
    Seconds Now() const;
    // Re-reads the picker when the user switches between end time and time left.
    void OptEndTimeSetter_Click(bool duration);

    bool m_duration = false;
    QRadioButton *m_option[2] = {nullptr, nullptr};
    TimePicker *m_end = nullptr;
};

}  // namespace tolvane
