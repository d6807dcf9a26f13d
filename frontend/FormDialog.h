#pragma once
// The common ground of the window's modal dialogs: shown through the dialog host, controls
// named as the program names them, OK and Cancel at the foot, message boxes over the dialog,
// and no error escaping from a button.

#include "common/NumberedError.h"
#include "frontend/DialogContext.h"

#include <QDialog>

#include <functional>
#include <memory>

class QCheckBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace tolvane {

class ClsController;
class ClsSchedule;

class FormDialog : public QDialog {
    Q_OBJECT
protected:
    FormDialog(const DialogContext &context, const char *name, const QString &caption, QWidget *parent);

    ClsController &Controller() const { return m_context.controller; }
    const DialogContext &Context() const { return m_context; }

    // Shows the dialog modally; true when OK closed it.
    bool ShowModal();
    // The end of a successful OK: the dialog is hidden as confirmed.
    void Confirm() { accept(); }

    // A private copy of a schedule, made the one way every dialog makes them.
    std::shared_ptr<ClsSchedule> PrivateCopy(const ClsSchedule &schedule) const;

    QPushButton *NewButton(const char *name, const QString &caption, std::function<void()> onClick);
    QCheckBox *NewCheck(const char *name, const QString &caption);
    QRadioButton *NewOption(const char *name, const QString &caption);
    QLineEdit *NewText(const char *name);
    static QLabel *NewLabel(const QString &text, bool wrap = false);
    // OK and Cancel, right-aligned. OK runs `onOk`, which confirms or leaves the dialog open. An
    // empty caption is the usual one.
    QHBoxLayout *NewOkCancel(std::function<void()> onOk, const QString &okCaption = {},
                             const QString &cancelCaption = {}, const char *okName = "OKButton",
                             const char *cancelName = "CancelButton");

    // Message boxes over the dialog. Ask is Yes/No and true for Yes. An error box shows what the
    // core wrote in the window's language.
    bool Ask(const QString &text);
    void Inform(const QString &text);
    void Warn(const QString &text);
    void ShowError(const QString &text);

    // Runs a control's handler; an error it raises is shown in an error box.
    void Guarded(const std::function<void()> &handler);

private:
    DialogContext m_context;
};

}  // namespace tolvane
