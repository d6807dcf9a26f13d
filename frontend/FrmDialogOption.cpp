#include "FrmDialogOption.h"

#include "core/controller/ClsController.h"
#include "frontend/Frmmain.h"
#include "frontend/TimePicker.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

namespace tolvane {

FrmDialogOption::FrmDialogOption(const DialogContext &context, Frmmain &owner)
    : FormDialog(context, "FrmDialogOption", tr("オプション設定"), &owner), m_owner(owner)
{
    m_endTimeChecker = NewCheck("ChkSelectEndTimeChecker", tr("常に録音終了時刻のチェックをPC時計により行う"));
    m_endTimeSetter = NewCheck("ChkSelectEndTimeSetter",
                               tr("録音終了時刻の標準設定方法を録音時間による設定にする"));
    m_makeLog = NewCheck("ChkMakeLog", tr("動作ログを作成する"));
    m_monitorBeforeRec = NewCheck("ChkMonitorBeforeRec", tr("録音20秒前からモニタ状態にする"));
    m_setTime = NewCheck("ChkSetTime", tr("時計合わせを行う"));
    m_setTimeOnAppStart = NewCheck("ChkSetTimeOnAppStart", tr("Tolvaneの起動時に実行"));
    m_setTimeOnPresetTime = NewCheck("ChkSetTimeOnPresetTime", tr("右の時刻に実行"));
    m_setTimeTime = new TimePicker("DTPSetTimeTime", this);
    m_timeServer = NewText("TTimeServer");
    m_bufferLength = NewText("TBufferlength");
    m_bufferLength->setMaximumWidth(80);
    m_priority = NewCheck("ChkPriority", tr("起動時に基本優先度を設定する"));
    m_priorityIndex = new QComboBox(this);
    m_priorityIndex->setObjectName(QStringLiteral("CmbPriority"));
    // Raising the priority above normal is refused without administrator rights.
    m_priorityIndex->addItems({tr("低"), tr("通常以下"), tr("通常"),
                               tr("通常以上(要管理者権限)"), tr("高(要管理者権限)")});
    m_alertDoubling = NewCheck("ChkAlertDoubling", tr("スケジュール名を設定・変更する時に同名のスケジュールが"
                                                      "あるときは確認を表示する"));
    m_alertDelete = NewCheck("ChkAlertDelete", tr("スケジュールを削除するときに確認を表示する"));
    m_wakeFromSuspend = NewCheck("ChkWakeFromSuspend", tr("スリープ中でも録音の前にコンピュータを起こす"));
    m_wakeLeadMinutes = new QSpinBox(this);
    m_wakeLeadMinutes->setObjectName(QStringLiteral("TWakeLeadMinutes"));
    m_wakeLeadMinutes->setRange(1, 60);
    m_wakeLeadMinutes->setSuffix(tr("分前"));
    m_startMissed = NewCheck("ChkStartMissedRecordings",
                             tr("起動時や復帰時に録音時間中のスケジュールがあれば途中から録音する"));
    for (QCheckBox *c : {m_setTime, m_setTimeOnPresetTime, m_priority, m_wakeFromSuspend})
        connect(c, &QCheckBox::toggled, this, &FrmDialogOption::UpdateEnabling);

    auto *clock = new QGroupBox;
    auto *clockGrid = new QGridLayout(clock);
    clockGrid->addWidget(m_setTime, 0, 0, 1, 3);
    clockGrid->addWidget(m_setTimeOnAppStart, 1, 0, 1, 3);
    clockGrid->addWidget(m_setTimeOnPresetTime, 2, 0);
    clockGrid->addWidget(m_setTimeTime, 2, 1);
    clockGrid->addWidget(NewLabel(tr("タイムサーバ")), 3, 0);
    clockGrid->addWidget(m_timeServer, 3, 1, 1, 2);
    clockGrid->setColumnStretch(2, 1);

    auto *buffer = new QHBoxLayout;
    buffer->addWidget(NewLabel(tr("録音時のバッファの長さ(初期設定は1秒)")));
    buffer->addWidget(m_bufferLength);
    buffer->addWidget(NewLabel(tr("秒")));
    buffer->addStretch(1);

    auto *priority = new QHBoxLayout;
    priority->addWidget(m_priority);
    priority->addWidget(m_priorityIndex);
    priority->addStretch(1);

    auto *unattended = new QGroupBox;
    auto *unattendedGrid = new QGridLayout(unattended);
    unattendedGrid->addWidget(m_wakeFromSuspend, 0, 0);
    unattendedGrid->addWidget(m_wakeLeadMinutes, 0, 1);
    unattendedGrid->addWidget(m_startMissed, 1, 0, 1, 2);
    unattendedGrid->setColumnStretch(2, 1);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_endTimeChecker);
    layout->addWidget(m_endTimeSetter);
    layout->addWidget(m_makeLog);
    layout->addWidget(m_monitorBeforeRec);
    layout->addWidget(clock);
    layout->addWidget(unattended);
    layout->addLayout(buffer);
    layout->addLayout(priority);
    layout->addWidget(m_alertDoubling);
    layout->addWidget(m_alertDelete);
    layout->addLayout(NewOkCancel([this] { Confirm(); }));
}

void FrmDialogOption::ChangeOptions()
{
    ShowOptions();
    for (;;) {
        if (!ShowModal())
            return;
        ApplyOptions();
        // Applied options are lost at exit unless the question to save them is asked.
        m_owner.setNeedSave(true);
        if (ApplyBufferLength())
            return;
        Warn(tr("録音時のバッファの長さには正の整数を入力してください。"));
        m_bufferLength->setFocus();
    }
}

void FrmDialogOption::ShowOptions()
{
    const ClsController &c = Controller();
    m_endTimeChecker->setChecked(c.gSelectEndTimeChecker == EndTimeChecker::PCTime);
    m_endTimeSetter->setChecked(c.gSelectEndTimeSetter == EndTimeSetter::RecTime);
    m_makeLog->setChecked(c.gMakeLog);
    m_monitorBeforeRec->setChecked(c.MonitorBeforeRec());
    m_setTime->setChecked(c.gSetTime);
    m_setTimeOnAppStart->setChecked(c.gSetTimeOnAppStart);
    m_setTimeOnPresetTime->setChecked(c.gSetTimeOnPresetTime);
    m_setTimeTime->setValue(ParseTimeOfDay(c.gSetTimeTime).value_or(Seconds(0)));
    m_timeServer->setText(c.gSetTimeServer);
    m_bufferLength->setText(QString::number(c.BufferLength()));
    m_priority->setChecked(m_owner.gSetPriority);
    m_priorityIndex->setCurrentIndex(m_owner.gPriorityIndex);
    m_alertDoubling->setChecked(m_owner.gAskDoubling);
    m_alertDelete->setChecked(m_owner.gAskDelete);
    m_wakeFromSuspend->setChecked(c.gWakeFromSuspend);
    m_shownWakeLeadMinutes = static_cast<int>(std::clamp<qint64>((qint64{c.gWakeLeadSeconds} + 30) / 60,
                                                                 m_wakeLeadMinutes->minimum(),
                                                                 m_wakeLeadMinutes->maximum()));
    m_wakeLeadMinutes->setValue(m_shownWakeLeadMinutes);
    m_startMissed->setChecked(c.gStartMissedRecordings);
    UpdateEnabling();
}

void FrmDialogOption::UpdateEnabling()
{
    const bool setTime = m_setTime->isChecked();
    m_setTimeOnAppStart->setEnabled(setTime);
    m_setTimeOnPresetTime->setEnabled(setTime);
    m_timeServer->setEnabled(setTime);
    m_setTimeTime->setEnabled(setTime && m_setTimeOnPresetTime->isChecked());
    m_priorityIndex->setEnabled(m_priority->isChecked());
    m_wakeLeadMinutes->setEnabled(m_wakeFromSuspend->isChecked());
}

void FrmDialogOption::ApplyOptions()
{
    ClsController &c = Controller();
    c.gSelectEndTimeChecker = m_endTimeChecker->isChecked() ? EndTimeChecker::PCTime : EndTimeChecker::nSample;
    c.gSelectEndTimeSetter = m_endTimeSetter->isChecked() ? EndTimeSetter::RecTime : EndTimeSetter::EndTime;
    c.gMakeLog = m_makeLog->isChecked();
    c.setMonitorBeforeRec(m_monitorBeforeRec->isChecked());
    c.gSetTimeOnAppStart = m_setTimeOnAppStart->isChecked();
    c.gSetTimeOnPresetTime = m_setTimeOnPresetTime->isChecked();
    c.gSetTime = m_setTime->isChecked();
    c.gSetTimeTime = FormatTimeOfDay(m_setTimeTime->Value());
    c.gSetTimeServer = m_timeServer->text();
    m_owner.gSetPriority = m_priority->isChecked();
    if (m_owner.gSetPriority)
        m_owner.gPriorityIndex = static_cast<qint16>(m_priorityIndex->currentIndex());
    m_owner.gAskDelete = m_alertDelete->isChecked();
    m_owner.gAskDoubling = m_alertDoubling->isChecked();
    c.gWakeFromSuspend = m_wakeFromSuspend->isChecked();
    if (m_wakeLeadMinutes->value() != m_shownWakeLeadMinutes)
        c.gWakeLeadSeconds = m_wakeLeadMinutes->value() * 60;
    c.gStartMissedRecordings = m_startMissed->isChecked();
    // The wake alarm follows the options at once.
    c.TimetableChanged();
}

bool FrmDialogOption::ApplyBufferLength()
{
    bool whole = false;
    const int seconds = m_bufferLength->text().trimmed().toInt(&whole);
    if (!whole)
        return false;
    try {
        Controller().setBufferLength(seconds);
    } catch (const NumberedError &) {
        return false;
    }
    return true;
}

}  // namespace tolvane
