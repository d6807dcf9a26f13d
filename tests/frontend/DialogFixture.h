#pragma once
// The main window with its real dialogs, played by a scripted host: tests queue what the user
// does in each dialog, click the window's buttons, and look at the schedules that come out.

#include "core/controller/ClsController.h"
#include "frontend/FrontDialogs.h"
#include "tests/frontend/ScriptedDialogHost.h"
#include "tests/frontend/WindowFixture.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QTimeEdit>

namespace tolvane::test {

class DialogFixture : public WindowFixture {
protected:
    DialogFixture() { parts.dialogs = std::make_shared<FrontDialogs>(questions, host); }

    void TearDown() override
    {
        EXPECT_TRUE(host->problems.isEmpty()) << host->problems.join(u'\n').toStdString();
        EXPECT_TRUE(host->Unplayed().isEmpty()) << "not shown: " << host->Unplayed().join(u' ').toStdString();
    }

    // For dialogs opened directly, over the open window.
    DialogContext Context() { return DialogContext{C(), *questions, *host}; }

    static void Press(QDialog &d, const char *name) { Get<QAbstractButton>(d, name).click(); }
    static void Check(QDialog &d, const char *name, bool on) { Get<QAbstractButton>(d, name).setChecked(on); }
    static bool Checked(QDialog &d, const char *name) { return Get<QAbstractButton>(d, name).isChecked(); }
    static bool Enabled(QDialog &d, const char *name) { return Get(d, name).isEnabled(); }
    static void Type(QDialog &d, const char *name, const QString &text) { Get<QLineEdit>(d, name).setText(text); }
    static void SetTime(QDialog &d, const char *name, int h, int m, int s)
    {
        Get<QTimeEdit>(d, name).setTime(QTime(h, m, s));
    }
    static QString TimeText(QDialog &d, const char *name)
    {
        return Get<QTimeEdit>(d, name).time().toString(QStringLiteral("HH:mm:ss"));
    }

    // A new schedule made in the editor with a name, a start and an end time; returns the
    // stored schedule.
    std::shared_ptr<ClsSchedule> Made(const QString &name, QTime start, QTime end)
    {
        host->On(QStringLiteral("FrmDialogSchedule"), [&](QDialog &d) {
            Type(d, "TName", name);
            Get<QTimeEdit>(d, "DTPStart").setTime(start);
            Get<QTimeEdit>(d, "DTPEnd").setTime(end);
            Press(d, "OKButton");
        });
        Click("Cnew");
        return C().Schedule(Frmmain::KeyOf(List()->topLevelItem(List()->topLevelItemCount() - 1)));
    }

    std::shared_ptr<ScriptedDialogHost> host = std::make_shared<ScriptedDialogHost>();
};

}  // namespace tolvane::test
