#include "FrontDialogs.h"

#include "frontend/DialogContext.h"
#include "frontend/FrmDialogChangeEndTime.h"
#include "frontend/FrmDialogOption.h"
#include "frontend/FrmDialogRec.h"
#include "frontend/FrmDialogSchedule.h"
#include "frontend/Frmmain.h"

namespace tolvane {

FrontDialogs::FrontDialogs(std::shared_ptr<IQuestioner> questions, std::shared_ptr<IDialogHost> host)
    : m_questions(std::move(questions)), m_host(std::move(host))
{
}

DialogContext FrontDialogs::Context(Frmmain &owner) const
{
    return DialogContext{*owner.Controller(), *m_questions, *m_host};
}

bool FrontDialogs::ChangeSchedule(Frmmain &owner, const std::vector<std::shared_ptr<ClsSchedule>> &schedules,
                                  const QStringList &keys)
{
    FrmDialogSchedule dialog(Context(owner), owner);
    return dialog.ChangeSchedule(schedules, keys);
}

bool FrontDialogs::ChangeDefault(Frmmain &owner)
{
    FrmDialogSchedule dialog(Context(owner), owner);
    return dialog.ChangeDefault();
}

std::shared_ptr<ClsSchedule> FrontDialogs::SetManualRecord(Frmmain &owner, const std::shared_ptr<ClsSchedule> &defaults)
{
    FrmDialogRec dialog(Context(owner), &owner);
    return dialog.SetManualRecord(*defaults);
}

std::optional<Seconds> FrontDialogs::ChangeEndTime(Frmmain &owner, Seconds endTime)
{
    FrmDialogChangeEndTime dialog(Context(owner), &owner);
    return dialog.ChangeEndTime(endTime);
}

void FrontDialogs::ChangeOptions(Frmmain &owner)
{
    FrmDialogOption dialog(Context(owner), owner);
    dialog.ChangeOptions();
}

}  // namespace tolvane
