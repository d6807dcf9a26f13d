#include "FrmDialogDays.h"

#include "core/schedule/ClsSchedule.h"

#include <QCheckBox>
#include <QLabel>
#include <QVBoxLayout>

namespace tolvane {

FrmDialogDays::FrmDialogDays(const DialogContext &context, QWidget *parent)
    : FormDialog(context, "FrmDialogDays", tr("録音曜日選択"), parent)
{
    static const char *const names[7] = {"Chkday0", "Chkday1", "Chkday2", "Chkday3", "Chkday4", "Chkday5", "Chkday6"};
    const QString captions[7] = {tr("日曜日"), tr("月曜日"), tr("火曜日"), tr("水曜日"),
                                 tr("木曜日"), tr("金曜日"), tr("土曜日")};
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(NewLabel(tr("録音する曜日にチェックを入れて下さい。")));
    for (size_t i = 0; i < m_day.size(); ++i) {
        m_day[i] = NewCheck(names[i], captions[i]);
        layout->addWidget(m_day[i]);
    }
    layout->addLayout(NewOkCancel([this] { Confirm(); }));
}

std::shared_ptr<ClsSchedule> FrmDialogDays::ChangeDaySetting(const ClsSchedule &Schedule)
{
    auto copy = PrivateCopy(Schedule);
    for (qint32 i = 0; i < 7; ++i)
        m_day[static_cast<size_t>(i)]->setChecked(copy->StartDay(i) == 1);
    if (!ShowModal())
        return nullptr;
    for (qint32 i = 0; i < 7; ++i)
        copy->setStartDay(i, m_day[static_cast<size_t>(i)]->isChecked() ? 1 : 0);
    return copy;
}

}  // namespace tolvane
