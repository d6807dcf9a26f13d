#include "FrmDialogRec.h"

#include "core/controller/ClsController.h"
#include "frontend/DialogSavePath.h"
#include "frontend/FrmDialogWaveSetting.h"
#include "frontend/FrmWME.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tolvane {

FrmDialogRec::FrmDialogRec(const DialogContext &context, QWidget *parent)
    : FormDialog(context, "FrmDialogRec", tr("録音品質の設定"), parent)
{
    m_format = {NewOption("OptFormat0", tr("Wave形式")),
                NewOption("OptFormat1", tr("WindowsMedia形式"))};
    m_formatSetting = {NewButton("CChangeFormatSetting0", tr("Wav設定"),
                                 [this] { CChangeFormatSetting0_Click(); }),
                       NewButton("CChangeFormatSetting1", tr("WM設定"),
                                 [this] { CChangeFormatSetting1_Click(); })};
    for (QRadioButton *o : m_format)
        connect(o, &QRadioButton::toggled, this, &FrmDialogRec::OptFormat_Click);
    m_startNoSound = NewCheck("ChkStartNoSound", tr("録音冒頭の無音部をカットする"));
    m_endNoSound = NewCheck("ChkEndNoSound", tr("録音末端の無音部をカットする"));
    m_savePath = NewLabel(QString(), true);
    m_savePath->setObjectName(QStringLiteral("LSavePath"));
    m_savePath->setFrameShape(QFrame::StyledPanel);

    auto *formats = new QGroupBox;
    auto *formatGrid = new QGridLayout(formats);
    formatGrid->addWidget(m_format[0], 0, 0);
    formatGrid->addWidget(m_formatSetting[0], 0, 1);
    formatGrid->addWidget(m_format[1], 1, 0);
    formatGrid->addWidget(m_formatSetting[1], 1, 1);
    formatGrid->addWidget(m_startNoSound, 2, 0, 1, 2);
    formatGrid->addWidget(m_endNoSound, 3, 0, 1, 2);

    auto *path = new QGridLayout;
    path->addWidget(m_savePath, 0, 0);
    path->addWidget(NewButton("CChangePath", tr("保存先変更"), [this] { CChangePath_Click(); }), 0, 1);
    path->setColumnStretch(0, 1);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(NewLabel(tr("ここで録音している間に開始時刻が設定されているスケジュールは無視されます。"), true));
    layout->addWidget(formats);
    layout->addLayout(path);
    layout->addLayout(NewOkCancel([this] { OKButton_Click(); }, tr("録音開始")));
    setMinimumWidth(500);
}

std::shared_ptr<ClsSchedule> FrmDialogRec::SetManualRecord(const ClsSchedule &Default)
{
    m_copy = PrivateCopy(Default);
    const bool useWME = Controller().UseWME;
    m_format[1]->setEnabled(useWME);
    m_format[m_copy->RecordingFormat() == FormatType::windowsmedia && useWME ? 1 : 0]->setChecked(true);
    m_startNoSound->setChecked(m_copy->WaveSetting()->SNSValid());
    m_endNoSound->setChecked(m_copy->WaveSetting()->ENSValid());
    m_savePath->setText(m_copy->SavePath().isEmpty() ? Controller().DefaultSavePath() : m_copy->SavePath());
    OptFormat_Click();
    return ShowModal() ? m_copy : nullptr;
}

void FrmDialogRec::OptFormat_Click()
{
    const bool wave = m_format[0]->isChecked();
    m_formatSetting[0]->setEnabled(wave);
    m_formatSetting[1]->setEnabled(!wave && Controller().UseWME);
    m_startNoSound->setEnabled(wave);
    m_endNoSound->setEnabled(wave);
}

void FrmDialogRec::CChangeFormatSetting0_Click()
{
    FrmDialogWaveSetting dialog(Context(), this);
    if (const auto edited = dialog.ChangeWaveSetting(*m_copy)) {
        m_copy->CopyFrom(*edited);
        m_startNoSound->setChecked(m_copy->WaveSetting()->SNSValid());
        m_endNoSound->setChecked(m_copy->WaveSetting()->ENSValid());
    }
}

void FrmDialogRec::CChangeFormatSetting1_Click()
{
    frontend::FrmWME dialog(Context(), this);
    if (const auto path = dialog.ChangeWMESetting(frontend::FrmWME::SessionPathOf(*m_copy, Controller().Services()->appFolder)))
        m_copy->setWMEFilePath(*path);
}

void FrmDialogRec::CChangePath_Click()
{
    DialogSavePath dialog(Context(), this);
    if (const auto path = dialog.GetSavePath(m_savePath->text())) {
        m_copy->setSavePath(*path);
        m_savePath->setText(m_copy->SavePath());
    }
}

void FrmDialogRec::OKButton_Click()
{
    try {
        if (m_format[1]->isChecked())
            m_copy->setRecordingFormat(FormatType::windowsmedia);
        else if (m_copy->RecordingFormat() != FormatType::MP3)
            m_copy->setRecordingFormat(FormatType::wave);
        m_copy->WaveSetting()->setSNSValid(m_startNoSound->isChecked());
        m_copy->WaveSetting()->setENSValid(m_endNoSound->isChecked());
    } catch (const NumberedError &e) {
        ShowError(ConfirmErrorText(tr("録音品質設定時に予期せぬエラーが発生しました。"), e));
        return;
    }
    Confirm();
}

}  // namespace tolvane
