#pragma once
// Chooses the weekdays on which a schedule records.

#include "frontend/FormDialog.h"

#include <array>

class QCheckBox;

namespace tolvane {

class FrmDialogDays final : public FormDialog {
    Q_OBJECT
public:
    FrmDialogDays(const DialogContext &context, QWidget *parent);

    // A copy with the chosen days on OK; null on Cancel.
    std::shared_ptr<ClsSchedule> ChangeDaySetting(const ClsSchedule &Schedule);

private:
    std::array<QCheckBox *, 7> m_day{};
};

}  // namespace tolvane
