#pragma once
// The window's dialogs: each one loaded for its command, shown through the dialog host and let
// go when it returns.

#include "frontend/DialogContext.h"
#include "frontend/IFrontDialogs.h"

namespace tolvane {

class FrontDialogs final : public IFrontDialogs {
public:
    FrontDialogs(std::shared_ptr<IQuestioner> questions, std::shared_ptr<IDialogHost> host);

    bool ChangeSchedule(Frmmain &owner, const std::vector<std::shared_ptr<ClsSchedule>> &schedules,
                        const QStringList &keys) override;
    bool ChangeDefault(Frmmain &owner) override;
    std::shared_ptr<ClsSchedule> SetManualRecord(Frmmain &owner, const std::shared_ptr<ClsSchedule> &defaults) override;
    std::optional<Seconds> ChangeEndTime(Frmmain &owner, Seconds endTime) override;
    void ChangeOptions(Frmmain &owner) override;

private:
    DialogContext Context(Frmmain &owner) const;

    std::shared_ptr<IQuestioner> m_questions;
    std::shared_ptr<IDialogHost> m_host;
};

}  // namespace tolvane
