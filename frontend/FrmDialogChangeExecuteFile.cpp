#include "FrmDialogChangeExecuteFile.h"

#include "core/schedule/ClsSchedule.h"
#include "core/schedule/ScheduleChecks.h"
#include "frontend/CoreMessages.h"
#include "frontend/IDialogHost.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tolvane {

FrmDialogChangeExecuteFile::FrmDialogChangeExecuteFile(const DialogContext &context, QWidget *parent)
    : FormDialog(context, "FrmDialogChangeExecuteFile", QString(), parent)
{
    m_filePath = NewText("TFilePath");
    m_beforeSeconds = NewText("TBeforeSeconds");
    m_beforeSeconds->setMaximumWidth(80);

    auto *timing = new QGroupBox(tr("実行タイミング(録音前のみ)"));
    auto *timingRow = new QHBoxLayout(timing);
    timingRow->addWidget(m_beforeSeconds);
    timingRow->addWidget(NewLabel(tr("秒前")));
    timingRow->addStretch(1);

    auto *layout = new QGridLayout(this);
    layout->addWidget(NewLabel(tr("実行ファイル")), 0, 0);
    layout->addWidget(m_filePath, 0, 1);
    layout->addWidget(NewButton("CSelectFile", tr("選択"), [this] { CSelectFile_Click(); }), 0, 2);
    layout->addWidget(timing, 1, 0, 1, 3);
    layout->addLayout(NewOkCancel([this] { OKButton_Click(); }), 2, 0, 1, 3);
    setMinimumWidth(480);
}

std::shared_ptr<ClsSchedule> FrmDialogChangeExecuteFile::ChangeExecuteFile(const ClsSchedule &Schedule, bool isBefore)
{
    m_copy = PrivateCopy(Schedule);
    m_before = isBefore;
    if (isBefore) {
        m_filePath->setText(m_copy->BeforeExecutePath());
        m_beforeSeconds->setText(QString::number(m_copy->BeforeExecuteSeconds()));
    } else {
        m_filePath->setText(m_copy->AfterExecutePath());
    }
    m_beforeSeconds->setEnabled(isBefore);
    return ShowModal() ? m_copy : nullptr;
}

void FrmDialogChangeExecuteFile::CSelectFile_Click()
{
    const QString chosen = Context().host.GetOpenFileName(this, windowTitle(), m_filePath->text(), QString());
    if (!chosen.isEmpty())
        m_filePath->setText(chosen);
}

void FrmDialogChangeExecuteFile::OKButton_Click()
{
    if (!m_before) {
        m_copy->setAfterExecutePath(m_filePath->text());
        Confirm();
        return;
    }
    const std::optional<qint32> seconds = ScheduleChecks::BeforeExecuteSeconds(m_beforeSeconds->text());
    if (!seconds) {
        Inform(CoreMessages::Translate(ScheduleChecks::BeforeExecuteSecondsMessage()));
        m_beforeSeconds->setFocus();
        return;
    }
    m_copy->setBeforeExecutePath(m_filePath->text());
    m_copy->setBeforeExecuteSeconds(*seconds);
    Confirm();
}

}  // namespace tolvane
