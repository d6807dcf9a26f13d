#include "FrmDialogWaveSetting.h"

#include "core/controller/ClsController.h"
#include "core/persistence/StoredValue.h"
#include "core/schedule/ScheduleChecks.h"
#include "frontend/CoreMessages.h"
#include "frontend/FrmDialogGOGOSetting.h"
#include "frontend/TimePicker.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tolvane {

namespace {

template <size_t N>
QGroupBox *OptionFrame(const QString &title, const std::array<QRadioButton *, N> &options)
{
    auto *frame = new QGroupBox(title);
    auto *column = new QVBoxLayout(frame);
    for (QRadioButton *o : options)
        column->addWidget(o);
    column->addStretch(1);
    return frame;
}

template <size_t N>
int CheckedIndex(const std::array<QRadioButton *, N> &options)
{
    for (size_t i = 0; i < N; ++i) {
        if (options[i]->isChecked())
            return static_cast<int>(i);
    }
    return 0;
}

template <size_t N>
void CheckIndex(const std::array<QRadioButton *, N> &options, qint32 index)
{
    if (index >= 0 && static_cast<size_t>(index) < N)
        options[static_cast<size_t>(index)]->setChecked(true);
}

}  // namespace

FrmDialogWaveSetting::FrmDialogWaveSetting(const DialogContext &context, QWidget *parent)
    : FormDialog(context, "FrmDialogWaveSetting", tr("Wave録音品質設定"), parent)
{
    m_bit = {NewOption("OptionBit0", QStringLiteral("8bit")), NewOption("OptionBit1", QStringLiteral("16bit"))};
    m_frequency = {NewOption("OptionFreq0", QStringLiteral("11025Hz")), NewOption("OptionFreq1", QStringLiteral("22050Hz")),
                   NewOption("OptionFreq2", QStringLiteral("44100Hz")), NewOption("OptionFreq3", QStringLiteral("32000Hz")),
                   NewOption("OptionFreq4", QStringLiteral("48000Hz"))};
    m_channel = {NewOption("OptionCh0", QStringLiteral("Mono")), NewOption("OptionCh1", QStringLiteral("Stereo"))};
    m_startNoSound = NewCheck("ChkStartNoSound", tr("録音冒頭の無音部をカットする"));
    m_endNoSound = NewCheck("ChkEndNoSound", tr("録音末端の無音部をカットする"));
    m_noSounddB = NewText("TNoSounddB");
    m_split = NewCheck("ChkSplit", tr("無音部でファイルを分割する"));
    m_splitSeconds = NewText("TSplitSeconds");
    m_splitByTime = NewCheck("ChkSplitByTime", tr("一定時間毎にファイルを分割する"));
    m_splitTime = new TimePicker("DTPSplitTime", this);
    m_autoEncode = NewCheck("ChkAutoEncode", tr("MP3を作成する。11025Hzでは選べません。"));
    m_mp3Setting = NewButton("CMP3Setting", tr("変換設定"), [this] { CMP3Setting_Click(); });
    m_noSounddB->setMaximumWidth(90);
    m_splitSeconds->setMaximumWidth(90);

    connect(m_split, &QCheckBox::toggled, m_splitSeconds, &QWidget::setEnabled);
    connect(m_splitByTime, &QCheckBox::toggled, m_splitTime, &QWidget::setEnabled);
    connect(m_autoEncode, &QCheckBox::toggled, m_mp3Setting, &QWidget::setEnabled);
    for (QRadioButton *o : m_frequency)
        connect(o, &QRadioButton::toggled, this, &FrmDialogWaveSetting::OptionFreq_Click);

    auto *formats = new QHBoxLayout;
    formats->addWidget(OptionFrame(QStringLiteral("bit"), m_bit));
    formats->addWidget(OptionFrame(QStringLiteral("Frequency"), m_frequency));
    formats->addWidget(OptionFrame(QStringLiteral("Channel"), m_channel));

    auto *cut = new QGridLayout;
    cut->addWidget(m_startNoSound, 0, 0, 1, 3);
    cut->addWidget(m_endNoSound, 1, 0, 1, 3);
    cut->addWidget(NewLabel(tr("無音とみなす音圧(0以下の数または-inf)")), 2, 0);
    cut->addWidget(m_noSounddB, 2, 1);
    cut->addWidget(NewLabel(QStringLiteral("dB")), 2, 2);
    cut->addWidget(m_split, 3, 0, 1, 3);
    cut->addWidget(NewLabel(tr("ファイルを分割する無音部の長さ(正の整数)")), 4, 0);
    cut->addWidget(m_splitSeconds, 4, 1);
    cut->addWidget(NewLabel(tr("秒以上で分割")), 4, 2);
    cut->addWidget(m_splitByTime, 5, 0, 1, 3);
    auto *splitTimeRow = new QHBoxLayout;
    splitTimeRow->addWidget(m_splitTime);
    splitTimeRow->addWidget(NewLabel(tr("毎")));
    splitTimeRow->addStretch(1);
    cut->addLayout(splitTimeRow, 6, 0, 1, 3);
    cut->setColumnStretch(3, 1);

    auto *mp3 = new QHBoxLayout;
    mp3->addWidget(m_autoEncode);
    mp3->addWidget(m_mp3Setting);
    mp3->addStretch(1);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(formats);
    layout->addLayout(cut);
    layout->addLayout(mp3);
    layout->addWidget(NewLabel(tr("MP3を作成するには本アプリケーションの起動時にMP3エンコーダencorda(LAMEを使用)が"
                                  "使用できるようになっている必要があります。原則的にはencordaを本アプリケーションと"
                                  "同じフォルダに置いて下さい。"),
                               true));
    layout->addLayout(NewOkCancel([this] { OKButton_Click(); }));
    setMinimumWidth(520);
}

std::shared_ptr<ClsSchedule> FrmDialogWaveSetting::ChangeWaveSetting(const ClsSchedule &Schedule)
{
    m_copy = PrivateCopy(Schedule);
    ShowCopy();
    return ShowModal() ? m_copy : nullptr;
}

void FrmDialogWaveSetting::ShowCopy()
{
    const ClsWave &w = *m_copy->WaveSetting();
    CheckIndex(m_bit, static_cast<qint32>(w.Bit()));
    CheckIndex(m_frequency, static_cast<qint32>(w.Frequency()));
    CheckIndex(m_channel, static_cast<qint32>(w.Channel()));
    m_startNoSound->setChecked(w.SNSValid());
    m_endNoSound->setChecked(w.ENSValid());
    m_noSounddB->setText(StoredValue::FromNoSounddB(w.NoSounddB()));
    m_split->setChecked(w.Split());
    m_splitSeconds->setText(StoredValue::FromDouble(w.NoSoundSeconds()));
    m_splitByTime->setChecked(w.SplitByTime());
    m_splitTime->setValue(w.SplitTime());
    // The box keeps the schedule's choice even where it cannot be changed, so that confirming
    // other settings never turns an MP3 schedule into a WAVE one behind the user's back.
    m_autoEncode->setChecked(m_copy->RecordingFormat() == FormatType::MP3);
    m_splitSeconds->setEnabled(m_split->isChecked());
    m_splitTime->setEnabled(m_splitByTime->isChecked());
    m_mp3Setting->setEnabled(m_autoEncode->isChecked());
    OptionFreq_Click();
}

void FrmDialogWaveSetting::OptionFreq_Click()
{
    m_autoEncode->setEnabled(Controller().UseGOGO && !m_frequency[0]->isChecked());
}

void FrmDialogWaveSetting::CMP3Setting_Click()
{
    FrmDialogGOGOSetting dialog(Context(), this);
    if (const auto edited = dialog.ChangeGOGOSetting(*m_copy))
        m_copy->CopyFrom(*edited);
}

void FrmDialogWaveSetting::Refuse(QWidget *control, const QString &text, bool warning)
{
    if (warning)
        Warn(text);
    else
        Inform(text);
    control->setFocus();
}

bool FrmDialogWaveSetting::CheckSplitSeconds(double &seconds)
{
    const std::optional<double> accepted = ScheduleChecks::SplitSeconds(m_splitSeconds->text());
    if (accepted) {
        seconds = *accepted;
        return true;
    }
    // Without splitting the length is not used, and the box cannot be edited: it must not block OK.
    if (!m_split->isChecked()) {
        seconds = m_copy->WaveSetting()->NoSoundSeconds();
        return true;
    }
    Refuse(m_splitSeconds, CoreMessages::Translate(ScheduleChecks::SplitSecondsMessage()), true);
    return false;
}

bool FrmDialogWaveSetting::CheckSplitTime()
{
    if (ScheduleChecks::SplitTimeAccepted(m_splitByTime->isChecked(), m_splitTime->Value()))
        return true;
    Refuse(m_splitTime, CoreMessages::Translate(ScheduleChecks::SplitTimeMessage()), false);
    return false;
}

bool FrmDialogWaveSetting::CheckNoSounddB()
{
    const QString text = m_noSounddB->text();
    if (ScheduleChecks::NoSounddBAccepted(text)) {
        m_copy->WaveSetting()->setNoSounddB(text);
        return true;
    }
    Refuse(m_noSounddB, CoreMessages::Translate(ScheduleChecks::NoSounddBMessage()), true);
    return false;
}

void FrmDialogWaveSetting::OKButton_Click()
{
    double splitSeconds = 0;
    if (!CheckSplitSeconds(splitSeconds) || !CheckSplitTime() || !CheckNoSounddB())
        return;
    ClsWave &w = *m_copy->WaveSetting();
    w.setBit(static_cast<Bit>(CheckedIndex(m_bit)));
    w.setFrequency(static_cast<Frequency>(CheckedIndex(m_frequency)));
    w.setChannel(static_cast<Channel>(CheckedIndex(m_channel)));
    w.setSNSValid(m_startNoSound->isChecked());
    w.setENSValid(m_endNoSound->isChecked());
    w.setNoSoundSeconds(splitSeconds);
    w.setSplitByTime(m_splitByTime->isChecked());
    w.setSplitTime(m_splitTime->Value());
    w.setSplit(m_split->isChecked());
    m_copy->setRecordingFormat(m_autoEncode->isChecked() ? FormatType::MP3 : FormatType::wave);
    Confirm();
}

}  // namespace tolvane
