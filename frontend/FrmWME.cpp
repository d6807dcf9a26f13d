#include "FrmWME.h"

#include "core/controller/ClsController.h"
#include "frontend/ChoiceBox.h"
#include "frontend/IDialogHost.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace tolvane::frontend {

FrmWME::FrmWME(const DialogContext &context, QWidget *parent)
    : FormDialog(context, "FrmWME", tr("WMF設定"), parent)
{
    m_settingPath = NewText("TSettingPath");
    m_changeSetting = NewCheck("ChkChangeSetting",
                               tr("このセッションファイルを編集する。\n"
                                  "またここでの録音ファイル名の設定は反映されません。"));
    connect(m_changeSetting, &QCheckBox::clicked, this,
            [this](bool checked) { Guarded([&] { ChkChangeSetting_Click(checked); }); });

    // The session's own settings, where the encoder's property pages would be.
    m_codec = new ChoiceBox("CmbCodec", {{QStringLiteral("Windows Media Audio 2 (wmav2)"), 2},
                                         {QStringLiteral("Windows Media Audio 1 (wmav1)"), 1}});
    m_bitRate = new QSpinBox(this);
    m_bitRate->setObjectName(QStringLiteral("TBitRate"));
    m_bitRate->setRange(8000, 384000);
    m_bitRate->setSingleStep(8000);
    m_sampleRate = new ChoiceBox("CmbSampleRate", {{QStringLiteral("8000Hz"), 8000},
                                                   {QStringLiteral("11025Hz"), 11025},
                                                   {QStringLiteral("16000Hz"), 16000},
                                                   {QStringLiteral("22050Hz"), 22050},
                                                   {QStringLiteral("32000Hz"), 32000},
                                                   {QStringLiteral("44100Hz"), 44100},
                                                   {QStringLiteral("48000Hz"), 48000}});
    m_channels = new ChoiceBox("CmbChannels", {{QStringLiteral("Mono"), 1}, {QStringLiteral("Stereo"), 2}});
    m_outputFile = NewText("TOutputFile");
    m_session = new QGroupBox(this);
    m_session->setObjectName(QStringLiteral("PropPageShell"));
    auto *form = new QFormLayout(m_session);
    form->addRow(tr("コーデック"), m_codec);
    form->addRow(tr("ビットレート(bit/s)"), m_bitRate);
    form->addRow(tr("サンプリング周波数"), m_sampleRate);
    form->addRow(tr("チャンネル"), m_channels);
    form->addRow(tr("出力ファイル名"), m_outputFile);
    m_session->setEnabled(false);

    auto *pathRow = new QHBoxLayout;
    pathRow->addWidget(NewLabel(tr("セッションファイルパス")));
    pathRow->addWidget(m_settingPath, 1);
    pathRow->addWidget(NewButton("CChangeSettingFile", tr("変更"), [this] { CChangeSettingFile_Click(); }));

    auto *side = new QVBoxLayout;
    side->addWidget(NewLabel(tr("左の設定はこの下のOKで保存され、キャンセルで破棄されます。"
                                "OKをクリックするとセッションファイルパスに入力されたファイルパスに書き出されます。"
                                "テキストボックスに直接ファイル名を入力することで別のファイルにすることができます。"),
                             true));
    side->addStretch(1);
    side->addLayout(NewOkCancel([this] { COK_Click(); }, {}, {}, "COK",
                                "CCancel"));

    auto *body = new QHBoxLayout;
    body->addWidget(m_session, 3);
    body->addLayout(side, 2);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(pathRow);
    layout->addWidget(m_changeSetting);
    layout->addLayout(body);
    setMinimumWidth(680);
}

QString FrmWME::SessionPathOf(const ClsSchedule &schedule, const QString &appFolder)
{
    return schedule.WMEFilePath().isEmpty() ? WmeSession::DefaultPath(appFolder) : schedule.WMEFilePath();
}

std::optional<QString> FrmWME::ChangeWMESetting(const QString &WMEFilePath)
{
    m_settingPath->setText(WMEFilePath);
    m_settingPath->setEnabled(true);
    if (!ShowModal())
        return std::nullopt;
    return m_settingPath->text();
}

void FrmWME::CChangeSettingFile_Click()
{
    const QString chosen = Context().host.GetOpenFileName(this, windowTitle(), m_settingPath->text(),
                                                          tr("セッションファイル (*.wme)"));
    if (!chosen.isEmpty())
        m_settingPath->setText(chosen);
}

void FrmWME::ChkChangeSetting_Click(bool checked)
{
    if (checked) {
        try {
            ShowSession(WmeSession::LoadOrCreateDefault(m_settingPath->text(), Controller().Services()->appFolder));
        } catch (const NumberedError &e) {
            m_changeSetting->setChecked(false);
            ShowError(ErrorText(tr("エラーが発生しました。"), e));
            return;
        }
    }
    m_session->setEnabled(checked);
}

void FrmWME::ShowSession(const WmeSession &session)
{
    m_codec->SelectNumber(session.Codec == QStringLiteral("wmav1") ? 1 : 2);
    m_bitRate->setValue(session.BitRate);
    m_sampleRate->SelectNumber(session.SampleRate);
    m_channels->SelectNumber(session.Channels);
    m_outputFile->setText(session.OutputFile);
}

WmeSession FrmWME::EditedSession() const
{
    WmeSession session;
    session.Codec = m_codec->Number() == 1 ? QStringLiteral("wmav1") : QStringLiteral("wmav2");
    session.BitRate = m_bitRate->value();
    session.SampleRate = m_sampleRate->Number();
    session.Channels = m_channels->Number();
    session.OutputFile = m_outputFile->text();
    return session;
}

void FrmWME::COK_Click()
{
    if (m_changeSetting->isChecked()) {
        try {
            EditedSession().Save(m_settingPath->text());
        } catch (const NumberedError &e) {
            ShowError(ErrorText(tr("エラーが発生しました。"), e));
            return;
        }
    }
    Confirm();
}

}  // namespace tolvane::frontend
