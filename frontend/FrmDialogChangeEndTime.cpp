#include "FrmDialogChangeEndTime.h"

#include "core/controller/ClsController.h"
#include "frontend/TimePicker.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tolvane {

FrmDialogChangeEndTime::FrmDialogChangeEndTime(const DialogContext &context, QWidget *parent)
    : FormDialog(context, "FrmDialogChangeEndTime", tr("終了時間の変更"), parent)
{
    m_option[0] = NewOption("OptEndTimeSetter0", tr("終了時刻"));
    m_option[1] = NewOption("OptEndTimeSetter1", tr("録音時間"));
    m_end = new TimePicker("DTPEnd", this);
    for (int i = 0; i < 2; ++i) {
        connect(m_option[i], &QRadioButton::clicked, this, [this, i] { OptEndTimeSetter_Click(i == 1); });
    }

    auto *frame = new QGroupBox(tr("終了時間の指定"));
    auto *frameRow = new QHBoxLayout(frame);
    frameRow->addWidget(m_option[0]);
    frameRow->addWidget(m_option[1]);
    frameRow->addWidget(m_end);
    frameRow->addStretch(1);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(NewLabel(tr("現在実行中の録音の終了時刻を設定します。"
                                  "この設定は今回の録音に対してのみ適用されます。"),
                               true));
    layout->addWidget(frame);
    layout->addLayout(NewOkCancel([this] { Confirm(); }));
    setMinimumWidth(400);
}

Seconds FrmDialogChangeEndTime::Now() const
{
    return Seconds(Controller().Services()->clock->Now().time().msecsSinceStartOfDay() / 1000);
}

std::optional<Seconds> FrmDialogChangeEndTime::ChangeEndTime(Seconds iEndTime)
{
    m_duration = Controller().gSelectEndTimeSetter == EndTimeSetter::RecTime;
    m_option[m_duration ? 1 : 0]->setChecked(true);
    m_end->setValue(m_duration ? iEndTime - Now() : iEndTime);
    if (!ShowModal())
        return std::nullopt;
    return WrapDay(m_duration ? Now() + m_end->Value() : m_end->Value());
}

void FrmDialogChangeEndTime::OptEndTimeSetter_Click(bool duration)
{
    if (duration == m_duration)
        return;
    m_duration = duration;
    m_end->setValue(duration ? m_end->Value() - Now() : m_end->Value() + Now());
}

}  // namespace tolvane
