#include "FrmDialogGOGOSetting.h"

#include "core/schedule/ClsSchedule.h"
#include "frontend/ChoiceBox.h"
#include "frontend/DialogSetTag.h"
#include "frontend/FrmDialogOtherGOGOSetting.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

namespace tolvane {

namespace {

ChoiceBox *Mpeg1Rates(const char *name)
{
    return new ChoiceBox(name, {{QStringLiteral("32kbps"), 32},   {QStringLiteral("40kbps"), 40},
                                {QStringLiteral("48kbps"), 48},   {QStringLiteral("56kbps"), 56},
                                {QStringLiteral("64kbps"), 64},   {QStringLiteral("80kbps"), 80},
                                {QStringLiteral("96kbps"), 96},   {QStringLiteral("112kbps"), 112},
                                {QStringLiteral("128kbps"), 128}, {QStringLiteral("160kbps"), 160},
                                {QStringLiteral("192kbps"), 192}, {QStringLiteral("224kbps"), 224},
                                {QStringLiteral("256kbps"), 256}, {QStringLiteral("320kbps"), 320}});
}

}  // namespace

FrmDialogGOGOSetting::FrmDialogGOGOSetting(const DialogContext &context, QWidget *parent)
    : FormDialog(context, "FrmDialogGOGOSetting", tr("MP3エンコード設定"), parent)
{
    m_stereo = new ChoiceBox("CmbStereo", {{tr("強制モノラル"), 0},
                                           {tr("ステレオ"), 1},
                                           {tr("ジョイントステレオ"), 2},
                                           {tr("ミッドサイドステレオ"), 3},
                                           {tr("デュアルチャネル"), 4}});
    m_fileFormat = new ChoiceBox("CmbFileFormat", {{tr("MP3＋Tag(通常)"), 0},
                                                   {QStringLiteral("RIFF/WAVE"), 1},
                                                   {QStringLiteral("RIFF/RMP"), 2}});
    m_mpeg1 = Mpeg1Rates("CmbMPEG1");
    m_mpeg2 = new ChoiceBox("CmbMPEG2", {{QStringLiteral("8kbps"), 8},     {QStringLiteral("16kbps"), 16},
                                         {QStringLiteral("24kbps"), 24},   {QStringLiteral("32kbps"), 32},
                                         {QStringLiteral("40kbps"), 40},   {QStringLiteral("48kbps"), 48},
                                         {QStringLiteral("56kbps"), 56},   {QStringLiteral("64kbps"), 64},
                                         {QStringLiteral("80kbps"), 80},   {QStringLiteral("96kbps"), 96},
                                         {QStringLiteral("112kbps"), 112}, {QStringLiteral("128kbps"), 128},
                                         {QStringLiteral("144kbps"), 144}, {QStringLiteral("160kbps"), 160}});
    m_vbr = NewCheck("ChkVBR", tr("可変ビットレートエンコードを使用する"));
    m_vbrQuality = new QSlider(Qt::Horizontal, this);
    m_vbrQuality->setObjectName(QStringLiteral("SldVBRQuality"));
    m_vbrQuality->setRange(0, 9);
    m_vbrQuality->setPageStep(1);
    m_vbrQuality->setTickPosition(QSlider::TicksBelow);
    m_vbrQualityValue = NewLabel(QString());
    connect(m_vbrQuality, &QSlider::valueChanged, m_vbrQualityValue,
            [this](int v) { m_vbrQualityValue->setNum(v); });
    m_vbrSetLimit = NewCheck("ChkVBRSetLimit", tr("ビットレート幅を制限"));
    m_vbrMax = Mpeg1Rates("CmbVBRMaxBitRate");
    m_vbrMin = Mpeg1Rates("CmbVBRMinBitRate");
    m_makeWavFile = NewCheck("ChkMakeWavFile", tr("中間Waveファイルを作成する"));
    m_deleteWavFile = NewCheck("ChkDeleteWavFile", tr("中間Waveファイルを削除する"));
    m_makeID3Tag = NewCheck("ChkMakeID3Tag", tr("ID3V1タグを設定する"));
    m_setTag = NewButton("CSetTag", tr("タグ設定"), [this] { CSetTag_Click(); });
    for (QCheckBox *c : {m_vbr, m_vbrSetLimit, m_makeWavFile, m_makeID3Tag})
        connect(c, &QCheckBox::toggled, this, &FrmDialogGOGOSetting::UpdateEnabling);

    auto *output = new QGridLayout;
    output->addWidget(NewLabel(tr("出力モード")), 0, 0);
    output->addWidget(m_stereo, 0, 1);
    output->addWidget(NewLabel(tr("出力形式")), 1, 0);
    output->addWidget(m_fileFormat, 1, 1);
    output->setColumnStretch(2, 1);

    auto *cbr = new QGroupBox(tr("出力ビットレート(kbit/s)を設定"));
    auto *cbrGrid = new QGridLayout(cbr);
    cbrGrid->addWidget(NewLabel(tr("MPEG1Audio(32,44.1kHzの時)")), 0, 0);
    cbrGrid->addWidget(m_mpeg1, 0, 1);
    cbrGrid->addWidget(NewLabel(tr("MPEG2Audio(22050Hzの時)")), 1, 0);
    cbrGrid->addWidget(m_mpeg2, 1, 1);
    cbrGrid->addWidget(NewLabel(tr("モノラル時は表示の半分になります")), 2, 0, 1, 2);
    cbrGrid->setColumnStretch(2, 1);

    auto *vbr = new QGroupBox;
    auto *vbrGrid = new QGridLayout(vbr);
    vbrGrid->addWidget(m_vbr, 0, 0, 1, 3);
    vbrGrid->addWidget(NewLabel(tr("VBRクオリティ(高音質～高圧縮)")), 1, 0);
    vbrGrid->addWidget(m_vbrQuality, 1, 1);
    vbrGrid->addWidget(m_vbrQualityValue, 1, 2);
    vbrGrid->addWidget(m_vbrSetLimit, 2, 0, 1, 3);
    vbrGrid->addWidget(NewLabel(tr("最大ビットレート(kbit/s)")), 3, 0);
    vbrGrid->addWidget(m_vbrMax, 3, 1);
    vbrGrid->addWidget(NewLabel(tr("最低ビットレート(kbit/s)")), 4, 0);
    vbrGrid->addWidget(m_vbrMin, 4, 1);

    auto *files = new QGridLayout;
    files->addWidget(m_makeWavFile, 0, 0);
    files->addWidget(m_deleteWavFile, 0, 1);
    files->addWidget(m_makeID3Tag, 1, 0);
    files->addWidget(m_setTag, 1, 1, Qt::AlignLeft);

    auto *foot = NewOkCancel([this] { OKButton_Click(); });
    foot->insertWidget(0, NewButton("CSetOther", tr("詳細設定"), [this] { CSetOther_Click(); }));

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(output);
    layout->addWidget(cbr);
    layout->addWidget(vbr);
    layout->addLayout(files);
    layout->addLayout(foot);
}

std::shared_ptr<ClsSchedule> FrmDialogGOGOSetting::ChangeGOGOSetting(const ClsSchedule &Schedule)
{
    m_copy = PrivateCopy(Schedule);
    ShowCopy();
    return ShowModal() ? m_copy : nullptr;
}

void FrmDialogGOGOSetting::ShowCopy()
{
    const ClsMP3 &m = *m_copy->MP3();
    m_stereo->SelectNumber(m.MP3Stereo());
    m_fileFormat->SelectNumber(m.MP3FileFormat());
    m_mpeg1->SelectNumber(m.MP3CBRMPEG1BitRate());
    m_mpeg2->SelectNumber(m.MP3CBRMPEG2BitRate());
    m_vbr->setChecked(m.MP3VBR());
    m_vbrQuality->setValue(m.MP3VBRQuality());
    m_vbrQualityValue->setNum(m_vbrQuality->value());
    m_vbrSetLimit->setChecked(m.MP3LimitVBRBitRate());
    m_vbrMax->SelectNumber(m.MP3VBRMaxBitRate());
    m_vbrMin->SelectNumber(m.MP3VBRMinBitRate());
    m_makeWavFile->setChecked(!m.MP3RealTime());
    m_deleteWavFile->setChecked(m.MP3DeleteWavFile());
    m_makeID3Tag->setChecked(m.MakeID3Tag());
    UpdateEnabling();
}

void FrmDialogGOGOSetting::UpdateEnabling()
{
    const bool vbr = m_vbr->isChecked();
    m_mpeg1->setEnabled(!vbr);
    m_mpeg2->setEnabled(!vbr);
    m_vbrQuality->setEnabled(vbr);
    m_vbrSetLimit->setEnabled(vbr);
    m_vbrMax->setEnabled(vbr && m_vbrSetLimit->isChecked());
    m_vbrMin->setEnabled(vbr && m_vbrSetLimit->isChecked());
    m_deleteWavFile->setEnabled(m_makeWavFile->isChecked());
    m_setTag->setEnabled(m_makeID3Tag->isChecked());
}

void FrmDialogGOGOSetting::CSetOther_Click()
{
    FrmDialogOtherGOGOSetting dialog(Context(), this);
    if (const auto edited = dialog.ChangeOtherGOGOSetting(*m_copy))
        m_copy->CopyFrom(*edited);
}

void FrmDialogGOGOSetting::CSetTag_Click()
{
    DialogSetTag dialog(Context(), this);
    if (const auto edited = dialog.ChangeTag(*m_copy))
        m_copy->CopyFrom(*edited);
}

void FrmDialogGOGOSetting::OKButton_Click()
{
    ClsMP3 &m = *m_copy->MP3();
    m.setMP3Stereo(m_stereo->Number());
    m.setMP3FileFormat(m_fileFormat->Number());
    m.setMP3CBRMPEG1BitRate(m_mpeg1->Number());
    m.setMP3CBRMPEG2BitRate(m_mpeg2->Number());
    m.setMP3VBR(m_vbr->isChecked());
    m.setMP3VBRQuality(m_vbrQuality->value());
    m.setMP3LimitVBRBitRate(m_vbrSetLimit->isChecked());
    m.setMP3VBRMaxBitRate(m_vbrMax->Number());
    m.setMP3VBRMinBitRate(m_vbrMin->Number());
    m.setMP3RealTime(!m_makeWavFile->isChecked());
    m.setMP3DeleteWavFile(m_deleteWavFile->isChecked());
    m.setMakeID3Tag(m_makeID3Tag->isChecked());
    Confirm();
}

}  // namespace tolvane
