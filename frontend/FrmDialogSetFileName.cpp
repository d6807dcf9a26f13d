#include "FrmDialogSetFileName.h"

#include "core/schedule/ClsSchedule.h"
#include "core/schedule/ScheduleChecks.h"
#include "frontend/CoreMessages.h"
#include "frontend/TimePicker.h"

#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace tolvane {

namespace {
const QChar kQuote = u'"';
}

FrmDialogSetFileName::FrmDialogSetFileName(const DialogContext &context, QWidget *parent)
    : FormDialog(context, "FrmDialogSetFileName", tr("ファイル名書式設定"), parent)
{
    m_fileName = NewText("TFileName");
    m_timeDayStart = new TimePicker("DTPTimeDayStart", this);

    const QStringList help = CodeLines() + QStringList{
        QString(),
        tr("例えば明日の風という名のスケジュールで'\\N_\\M月/D日'のように設定すると9/9に録音した場合"
           "'明日の風_09月9日.***'のファイルが出来ます。"),
        tr("同一名のファイルが存在していた場合、拡張子前のピリオドの前に_*(数字)を入れて上書きを回避します。"
           "(上の場合'明日の風09月9日_1.***'となります)。"),
        tr("またWindowsの仕様上、/\\:,;*?\"<>|は使用不可能です。よって日付/時刻表示書式指定文字の1文字目としての/\\以外を"
           "含んでいる場合エラーとなります。")};

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(NewLabel(tr("ファイル名を指定する文字列を入力して下さい")));
    layout->addWidget(m_fileName);
    layout->addWidget(NewLabel(tr("日付変更時刻(ファイル名(作成する場合ID3タグも)生成にのみ使われます)")));
    layout->addWidget(m_timeDayStart, 0, Qt::AlignLeft);
    QLabel *helpLabel = NewLabel(help.join(u'\n'), true);
    helpLabel->setObjectName(QStringLiteral("LHelp"));
    layout->addWidget(helpLabel);
    layout->addLayout(NewOkCancel([this] { OKButton_Click(); }));
    setMinimumWidth(560);
}

QStringList FrmDialogSetFileName::CodeLines()
{
    return {tr("日付/時刻表示書式指定文字"),
            tr("\\Y 年(4桁)         /Y 年(2桁)"),
            tr("\\M 月(2桁)         /M 月(1桁で表せる場合1桁)"),
            tr("\\D 日(2桁)         /D 日(1桁で表せる場合1桁)"),
            tr("\\h 時(2桁)         \\m 分(2桁)"),
            tr("\\s 秒(2桁)"),
            tr("その他の書式指定文字"),
            tr("\\N スケジュール名")};
}

std::shared_ptr<ClsSchedule> FrmDialogSetFileName::ChangeFileName(const ClsSchedule &Schedule)
{
    m_copy = PrivateCopy(Schedule);
    m_fileName->setText(m_copy->FileName());
    m_timeDayStart->setValue(m_copy->TimeDayStart());
    return ShowModal() ? m_copy : nullptr;
}

void FrmDialogSetFileName::OKButton_Click()
{
    const QString text = m_fileName->text();
    if (!ScheduleChecks::IsValidFileNameTemplate(text)) {
        Warn(CoreMessages::Translate(ScheduleChecks::FileNameTemplateMessage()));
        return;
    }
    m_copy->setFileName(text);
    m_copy->setTimeDayStart(m_timeDayStart->Value());
    Confirm();
}

}  // namespace tolvane
