#pragma once
// The main window on a set-up controller with simulated clock and fake capture, with scripted
// answers to its questions and stand-in dialogs, and helpers to find its controls.

#include "frontend/Frmmain.h"
#include "tests/support/TestServices.h"

#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <utility>

namespace tolvane::test {

// Answers questions from a script (Yes when it runs out) and keeps every text asked.
class ScriptedQuestioner final : public IQuestioner {
public:
    Answer AskYesNo(QWidget *, const QString &text) override { return Next(text); }
    Answer AskYesNoCancel(QWidget *, const QString &text) override { return Next(text); }
    void Inform(QWidget *, const QString &text, MessageIcon) override { informed.push_back(text); }

    std::deque<Answer> answers;
    QStringList asked;
    QStringList informed;

private:
    Answer Next(const QString &text)
    {
        asked.push_back(text);
        if (answers.empty())
            return Answer::Yes;
        const Answer a = answers.front();
        answers.pop_front();
        return a;
    }
};

// Dialogs that confirm at once: the editor applies `edit` (or renames) to what it is given,
// the manual recording dialog returns a copy of the defaults, the end-time dialog a fixed time.
class StandInDialogs final : public IFrontDialogs {
public:
    bool ChangeSchedule(Frmmain &, const std::vector<std::shared_ptr<ClsSchedule>> &schedules,
                        const QStringList &) override
    {
        ++editorCalls;
        editedCount = schedules.size();
        if (confirm) {
            for (const auto &s : schedules) {
                if (edit)
                    edit(*s);
                else
                    s->setName(newName);
            }
        }
        return confirm;
    }
    bool ChangeDefault(Frmmain &) override { return confirm; }
    std::shared_ptr<ClsSchedule> SetManualRecord(Frmmain &owner, const std::shared_ptr<ClsSchedule> &defaults) override
    {
        if (!confirm)
            return nullptr;
        auto s = owner.Controller()->CreateNewSchedule();
        s->CopyFrom(*defaults);
        return s;
    }
    std::optional<Seconds> ChangeEndTime(Frmmain &, Seconds) override
    {
        return confirm ? std::optional<Seconds>(endTime) : std::nullopt;
    }
    void ChangeOptions(Frmmain &) override { ++optionCalls; }

    bool confirm = true;
    std::function<void(ClsSchedule &)> edit;
    QString newName = QStringLiteral("Edited");
    Seconds endTime{7 * 3600 + 30 * 60};
    int editorCalls = 0;
    size_t editedCount = 0;
    int optionCalls = 0;
};

class WindowFixture : public ::testing::Test {
protected:
    static QDateTime At(int h, int m, int s) { return QDateTime(QDate(2024, 3, 4), QTime(h, m, s)); }

    WindowFixture() { parts.services = env.services; parts.questions = questions; parts.dialogs = dialogs; }

    // Creates and loads the window (after the test has prepared the folder).
    Frmmain &Open()
    {
        window = std::make_unique<Frmmain>(parts);
        window->Load();
        return *window;
    }

    ClsController &C() { return *window->Controller(); }

    template <typename T = QWidget>
    T *Find(const char *name) const
    {
        T *w = window->findChild<T *>(QLatin1String(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QPushButton *Button(const char *name) const { return Find<QPushButton>(name); }
    QString Info() const { return Find<QLabel>("LInfo")->text(); }
    // The error or warning line beside the status, empty while it is hidden.
    QString Notice() const
    {
        return Find<QWidget>("FrameNotice")->isHidden() ? QString() : Find<QLabel>("LNotice")->text();
    }
    QTreeWidget *List() const { return window->ScheduleList(); }
    void Click(const char *name) { Button(name)->click(); }

    // A schedule every day from start to end, made with the New command; returns its key.
    QString AddSchedule(const QString &name, const QString &start = QStringLiteral("07:00:00"),
                        const QString &end = QStringLiteral("07:00:30"), FormatType format = FormatType::wave)
    {
        dialogs->edit = [&](ClsSchedule &s) {
            s.setName(name);
            s.setStartTime(start);
            s.setEndTime(end);
            s.setRecordingFormat(format);
            for (int d = 0; d < 7; ++d)
                s.setStartDay(d, 1);
        };
        const bool confirm = std::exchange(dialogs->confirm, true);
        Click("Cnew");
        dialogs->confirm = confirm;
        dialogs->edit = nullptr;
        dialogs->editorCalls = 0;
        const int rows = List()->topLevelItemCount();
        return rows ? List()->topLevelItem(rows - 1)->data(0, Qt::UserRole).toString() : QString();
    }

    void Select(std::initializer_list<int> rows)
    {
        List()->clearSelection();
        for (int r : rows)
            List()->topLevelItem(r)->setSelected(true);
    }

    QStringList RowNames() const
    {
        QStringList names;
        for (int i = 0; i < List()->topLevelItemCount(); ++i)
            names << List()->topLevelItem(i)->text(0);
        return names;
    }

    // One tick of the timetable at the given moment, then what the event loop has pending.
    void TickAt(const QDateTime &t)
    {
        env.clock->Set(t);
        env.timer->Fire();
        QCoreApplication::processEvents();
    }

    // Lets what the event loop has been handed run out (a stopped capture's last events, and
    // what they start in turn).
    static void Settle()
    {
        for (int i = 0; i < 5; ++i)
            QCoreApplication::processEvents();
    }

    TestEnv env{At(6, 59, 0)};
    std::shared_ptr<ScriptedQuestioner> questions = std::make_shared<ScriptedQuestioner>();
    std::shared_ptr<StandInDialogs> dialogs = std::make_shared<StandInDialogs>();
    Frmmain::Parts parts;
    std::unique_ptr<Frmmain> window;
};

}  // namespace tolvane::test
