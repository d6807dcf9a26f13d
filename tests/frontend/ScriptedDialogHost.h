#pragma once
// A dialog host that plays the user from scripts instead of running modal loops: each time a
// dialog is shown, the next script queued for its name acts on its controls and leaves it with
// OK or Cancel. File pickers answer from a queue. What goes wrong is collected for the test.

#include "frontend/IDialogHost.h"

#include <QDialog>
#include <QMap>
#include <QStringList>

#include <deque>
#include <functional>
#include <stdexcept>
#include <string>

namespace tolvane::test {

// A control of a dialog by its name; throws when there is none, which the host reports.
template <typename T = QWidget>
T &Get(QWidget &parent, const char *name)
{
    T *w = parent.findChild<T *>(QLatin1String(name));
    if (!w)
        throw std::runtime_error(std::string("no control ") + name + " in " + parent.objectName().toStdString());
    return *w;
}

class ScriptedDialogHost final : public IDialogHost {
public:
    using Script = std::function<void(QDialog &)>;

    // What the user does the next time the dialog of this name is shown.
    void On(const QString &name, Script script) { m_scripts[name].push_back(std::move(script)); }

    void ShowModal(QDialog &dialog) override
    {
        const QString name = dialog.objectName();
        shown << name;
        dialog.show();
        std::deque<Script> &queue = m_scripts[name];
        if (queue.empty()) {
            problems << name + QStringLiteral(" was shown without a script");
        } else {
            const Script script = std::move(queue.front());
            queue.pop_front();
            try {
                script(dialog);
            } catch (const std::exception &e) {
                problems << name + QStringLiteral(": ") + QString::fromLocal8Bit(e.what());
            }
            if (dialog.isVisible())
                problems << name + QStringLiteral(" was left open by its script");
        }
        if (dialog.isVisible())
            dialog.reject();
    }

    QString GetOpenFileName(QWidget *, const QString &, const QString &start, const QString &) override
    {
        fileDialogStarts << start;
        if (files.empty())
            return {};
        const QString chosen = files.front();
        files.pop_front();
        return chosen;
    }

    // Scripts queued but never played.
    QStringList Unplayed() const
    {
        QStringList names;
        for (auto it = m_scripts.begin(); it != m_scripts.end(); ++it) {
            if (!it.value().empty())
                names << it.key();
        }
        return names;
    }

    QStringList shown;
    QStringList problems;
    QStringList fileDialogStarts;
    std::deque<QString> files;

private:
    QMap<QString, std::deque<Script>> m_scripts;
};

}  // namespace tolvane::test
