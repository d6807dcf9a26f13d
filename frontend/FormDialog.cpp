#include "FormDialog.h"

#include "core/controller/ClsController.h"
#include "frontend/CoreMessages.h"
#include "frontend/IDialogHost.h"
#include "frontend/IQuestioner.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace tolvane {

FormDialog::FormDialog(const DialogContext &context, const char *name, const QString &caption, QWidget *parent)
    : QDialog(parent), m_context(context)
{
    setObjectName(QLatin1String(name));
    setWindowTitle(caption);
}

bool FormDialog::ShowModal()
{
    // Wrapped texts need the height their width gives them, which the plain size hint leaves out.
    adjustSize();
    if (layout() && layout()->hasHeightForWidth())
        resize(width(), std::max(height(), layout()->totalHeightForWidth(width())));
    setResult(QDialog::Rejected);
    m_context.host.ShowModal(*this);
    return result() == QDialog::Accepted;
}

std::shared_ptr<ClsSchedule> FormDialog::PrivateCopy(const ClsSchedule &schedule) const
{
    return m_context.controller.CopyOfSchedule(schedule);
}

QPushButton *FormDialog::NewButton(const char *name, const QString &caption, std::function<void()> onClick)
{
    auto *b = new QPushButton(caption, this);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    connect(b, &QPushButton::clicked, this, [this, onClick = std::move(onClick)] { Guarded(onClick); });
    return b;
}

QCheckBox *FormDialog::NewCheck(const char *name, const QString &caption)
{
    auto *c = new QCheckBox(caption, this);
    c->setObjectName(QLatin1String(name));
    return c;
}

QRadioButton *FormDialog::NewOption(const char *name, const QString &caption)
{
    auto *o = new QRadioButton(caption, this);
    o->setObjectName(QLatin1String(name));
    return o;
}

QLineEdit *FormDialog::NewText(const char *name)
{
    auto *t = new QLineEdit(this);
    t->setObjectName(QLatin1String(name));
    return t;
}

QLabel *FormDialog::NewLabel(const QString &text, bool wrap)
{
    auto *l = new QLabel(text);
    l->setWordWrap(wrap);
    return l;
}

QHBoxLayout *FormDialog::NewOkCancel(std::function<void()> onOk, const QString &okCaption,
                                     const QString &cancelCaption, const char *okName, const char *cancelName)
{
    QPushButton *ok = NewButton(okName, okCaption.isEmpty() ? QStringLiteral("OK") : okCaption, std::move(onOk));
    ok->setDefault(true);
    QPushButton *cancel =
        NewButton(cancelName, cancelCaption.isEmpty() ? tr("キャンセル") : cancelCaption, [this] { reject(); });
    auto *row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(ok);
    row->addWidget(cancel);
    return row;
}

bool FormDialog::Ask(const QString &text)
{
    return m_context.questions.AskYesNo(this, text) == IQuestioner::Answer::Yes;
}

void FormDialog::Inform(const QString &text)
{
    m_context.questions.Inform(this, text, MessageIcon::Information);
}

void FormDialog::Warn(const QString &text)
{
    m_context.questions.Inform(this, text, MessageIcon::Warning);
}

void FormDialog::ShowError(const QString &text)
{
    m_context.questions.Inform(this, CoreMessages::Translate(text), MessageIcon::Critical);
}

void FormDialog::Guarded(const std::function<void()> &handler)
{
    try {
        handler();
    } catch (const NumberedError &e) {
        ShowError(ErrorText(tr("エラーが発生しました。"), e));
    } catch (const std::exception &e) {
        ShowError(ErrorText(tr("エラーが発生しました。"),
                            NumberedError(ErrNo::InvalidProcedureCall, QString::fromLocal8Bit(e.what()))));
    }
}

}  // namespace tolvane
