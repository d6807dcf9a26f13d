#include "FrmDialogOtherGOGOSetting.h"

#include "core/schedule/ClsSchedule.h"
#include "frontend/ChoiceBox.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QSlider>
#include <QVBoxLayout>

namespace tolvane {

namespace {

ChoiceBox *Frequencies(const char *name)
{
    return new ChoiceBox(name, {{QStringLiteral("16000Hz"), 16000},
                                {QStringLiteral("22050Hz"), 22050},
                                {QStringLiteral("24000Hz"), 24000},
                                {QStringLiteral("32000Hz"), 32000},
                                {QStringLiteral("44100Hz"), 44100},
                                {QStringLiteral("48000Hz"), 48000}});
}

QSlider *Percent(const char *name, QWidget *parent)
{
    auto *s = new QSlider(Qt::Horizontal, parent);
    s->setObjectName(QLatin1String(name));
    s->setRange(0, 100);
    return s;
}

}  // namespace

FrmDialogOtherGOGOSetting::FrmDialogOtherGOGOSetting(const DialogContext &context, QWidget *parent)
    : FormDialog(context, "FrmDialogOtherGOGOSetting", tr("MP3エンコード詳細設定"), parent)
{
    m_notUsePsy = NewCheck("ChkNotUsePsy", tr("音響心理解析を使わない"));
    // The caption is long enough to be broken in two.
    m_notUseLPF = NewCheck("ChkNotUseLPF", tr("128kbps以下のビットレートでエンコードを行う際に高音領域に発生する\n"
                                              "シュワシュワノイズを軽減するローパスフィルタを使わない"));
    m_customizeLPF = NewCheck("ChkCustomizeLPF", tr("ローパスフィルターをカスタマイズする"));
    m_lpfA = Percent("SldLPFA", this);
    m_lpfB = Percent("SldLPFB", this);
    m_lpfALabel = NewLabel(QString());
    m_lpfALabel->setObjectName(QStringLiteral("LLPFA"));
    m_lpfBLabel = NewLabel(QString());
    m_lpfBLabel->setObjectName(QStringLiteral("LLPFB"));
    connect(m_lpfA, &QSlider::valueChanged, this, &FrmDialogOtherGOGOSetting::ShowFilterBand);
    connect(m_lpfB, &QSlider::valueChanged, this, &FrmDialogOtherGOGOSetting::ShowFilterBand);
    m_setnCPU = NewCheck("ChkSetnCPU", tr("CPU個数を強制指定する"));
    m_nCPU = new ChoiceBox("CmbnCPU", {{QStringLiteral("1"), 1},
                                       {QStringLiteral("2"), 2},
                                       {QStringLiteral("3"), 3},
                                       {QStringLiteral("4"), 4},
                                       {QStringLiteral("5"), 5}});
    m_setPriority = NewCheck("ChkSetPriority", tr("マルチスレッド時のスレッドプライオリティを指定する"));
    m_priority = new ChoiceBox("CmbPriority", {{tr("最高"), 2},
                                               {tr("高"), 1},
                                               {tr("ノーマル"), 0},
                                               {tr("低"), -1},
                                               {tr("最低"), -2},
                                               {tr("アイドル"), -15}});
    m_notUseEnhancedCPU = NewCheck("ChkNotUSEEnhancedCPU", tr("CPUの拡張命令の不使用を指定する"));
    m_notUseMMX = NewCheck("ChkNotUseMMX", tr("MMXを使わない"));
    m_notUse3DNow = NewCheck("ChkNotUse3DNow", tr("3DNow!を使わない"));
    m_notUseSSE = NewCheck("ChkNotUseSSE", tr("Pentium3-SIMD(SSE)を使わない"));
    m_notUseEnhanced3DNow = NewCheck("ChkNotUseEnhanced3DNow", tr("拡張3DNow!を使わない"));
    m_setIOFreq = NewCheck("ChkSetIOFreq", tr("サンプル周波数を強制指定する"));
    m_inFreq = Frequencies("CmbInFreq");
    m_outFreq = Frequencies("CmbOutFreq");
    for (QCheckBox *c : {m_customizeLPF, m_setnCPU, m_setPriority, m_notUseEnhancedCPU, m_setIOFreq})
        connect(c, &QCheckBox::toggled, this, &FrmDialogOtherGOGOSetting::UpdateEnabling);

    auto *lpf = new QGroupBox;
    auto *lpfGrid = new QGridLayout(lpf);
    lpfGrid->addWidget(m_customizeLPF, 0, 0, 1, 2);
    lpfGrid->addWidget(m_lpfALabel, 1, 0);
    lpfGrid->addWidget(m_lpfA, 1, 1);
    lpfGrid->addWidget(m_lpfBLabel, 2, 0);
    lpfGrid->addWidget(m_lpfB, 2, 1);
    lpfGrid->addWidget(NewLabel(tr("バンド幅は[0-1]の間で正規化されます。周波数帯域 0～A の間はフィルタが施されません。"
                                   "周波数帯域 A～B の間は、なだらかな曲線を描く様にフィルタの強度が増します。"
                                   "周波数帯域 B～1 の間は、完全に遮断します。"
                                   "実際は入出力PCMの標本化周波数によって遮蔽周波数は変化します。"
                                   "このパラメーターを設定すると、\"ローパスフィルタ不使用\"の設定は無視されるように"
                                   "なります。 ＶＢＲエンコード時、この設定は無視されます。"),
                                true),
                       3, 0, 1, 2);

    auto *threads = new QGridLayout;
    threads->addWidget(m_setnCPU, 0, 0);
    threads->addWidget(m_nCPU, 0, 1);
    threads->addWidget(m_setPriority, 1, 0);
    threads->addWidget(m_priority, 1, 1);
    threads->setColumnStretch(2, 1);

    auto *cpu = new QGroupBox;
    auto *cpuGrid = new QGridLayout(cpu);
    cpuGrid->addWidget(m_notUseEnhancedCPU, 0, 0, 1, 2);
    cpuGrid->addWidget(m_notUseMMX, 1, 0);
    cpuGrid->addWidget(m_notUse3DNow, 1, 1);
    cpuGrid->addWidget(m_notUseSSE, 2, 0);
    cpuGrid->addWidget(m_notUseEnhanced3DNow, 2, 1);

    auto *freq = new QGroupBox;
    auto *freqGrid = new QGridLayout(freq);
    freqGrid->addWidget(m_setIOFreq, 0, 0, 1, 2);
    freqGrid->addWidget(NewLabel(tr("入力サンプル周波数(Hz)")), 1, 0);
    freqGrid->addWidget(m_inFreq, 1, 1);
    freqGrid->addWidget(NewLabel(tr("出力サンプル周波数(Hz)")), 2, 0);
    freqGrid->addWidget(m_outFreq, 2, 1);
    freqGrid->setColumnStretch(2, 1);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_notUsePsy);
    layout->addWidget(m_notUseLPF);
    layout->addWidget(lpf);
    layout->addLayout(threads);
    layout->addWidget(cpu);
    layout->addWidget(freq);
    layout->addLayout(NewOkCancel([this] { OKButton_Click(); }));
    setMinimumWidth(560);
}

std::shared_ptr<ClsSchedule> FrmDialogOtherGOGOSetting::ChangeOtherGOGOSetting(const ClsSchedule &Schedule)
{
    m_copy = PrivateCopy(Schedule);
    ShowCopy();
    return ShowModal() ? m_copy : nullptr;
}

void FrmDialogOtherGOGOSetting::ShowCopy()
{
    const ClsMP3 &m = *m_copy->MP3();
    m_notUsePsy->setChecked(m.MP3NotUsePsy());
    m_notUseLPF->setChecked(m.MP3NotUseLPF());
    m_customizeLPF->setChecked(m.MP3CustomizeLPF());
    m_lpfA->setValue(m.MP3LPFA());
    m_lpfB->setValue(m.MP3LPFB());
    ShowFilterBand();
    m_setnCPU->setChecked(m.MP3SetnCPU());
    m_nCPU->SelectNumber(m.MP3nCPU());
    m_setPriority->setChecked(m.MP3SetPriority() != 0);
    m_priority->SelectNumber(m.MP3Priority());
    m_notUseEnhancedCPU->setChecked(m.MP3NotUseEnhancedCPU());
    m_notUseMMX->setChecked(m.MP3NotUseMMX());
    m_notUse3DNow->setChecked(m.MP3NotUse3DNow());
    m_notUseSSE->setChecked(m.MP3NotUseSSE());
    m_notUseEnhanced3DNow->setChecked(m.MP3NotUseEnhanced3DNow());
    m_setIOFreq->setChecked(m.MP3SetIOFreq());
    m_inFreq->SelectNumber(m.MP3InFreq());
    m_outFreq->SelectNumber(m.MP3OutFreq());
    UpdateEnabling();
}

void FrmDialogOtherGOGOSetting::ShowFilterBand()
{
    m_lpfALabel->setText(tr("A(0～100) %1").arg(m_lpfA->value()));
    m_lpfBLabel->setText(tr("B(0～100) %1").arg(m_lpfB->value()));
}

void FrmDialogOtherGOGOSetting::UpdateEnabling()
{
    m_lpfA->setEnabled(m_customizeLPF->isChecked());
    m_lpfB->setEnabled(m_customizeLPF->isChecked());
    m_nCPU->setEnabled(m_setnCPU->isChecked());
    m_priority->setEnabled(m_setPriority->isChecked());
    m_inFreq->setEnabled(m_setIOFreq->isChecked());
    m_outFreq->setEnabled(m_setIOFreq->isChecked());
    for (QCheckBox *c : {m_notUseMMX, m_notUse3DNow, m_notUseSSE, m_notUseEnhanced3DNow})
        c->setEnabled(m_notUseEnhancedCPU->isChecked());
}

void FrmDialogOtherGOGOSetting::OKButton_Click()
{
    ClsMP3 &m = *m_copy->MP3();
    m.setMP3NotUsePsy(m_notUsePsy->isChecked());
    m.setMP3NotUseLPF(m_notUseLPF->isChecked());
    m.setMP3CustomizeLPF(m_customizeLPF->isChecked());
    m.setMP3LPFA(m_lpfA->value());
    m.setMP3LPFB(m_lpfB->value());
    m.setMP3SetnCPU(m_setnCPU->isChecked());
    m.setMP3nCPU(m_nCPU->Number());
    m.setMP3SetPriority(m_setPriority->isChecked() ? -1 : 0);
    m.setMP3Priority(m_priority->Number());
    m.setMP3NotUseEnhancedCPU(m_notUseEnhancedCPU->isChecked());
    m.setMP3NotUseMMX(m_notUseMMX->isChecked());
    m.setMP3NotUse3DNow(m_notUse3DNow->isChecked());
    m.setMP3NotUseSSE(m_notUseSSE->isChecked());
    m.setMP3NotUseEnhanced3DNow(m_notUseEnhanced3DNow->isChecked());
    m.setMP3SetIOFreq(m_setIOFreq->isChecked());
    m.setMP3InFreq(m_inFreq->Number());
    m.setMP3OutFreq(m_outFreq->Number());
    Confirm();
}

}  // namespace tolvane
