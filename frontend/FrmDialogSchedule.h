#pragma once
// The schedule editor: one schedule, several at once, or the default schedule. It works on
// private copies and hands them back only when the user confirms.

#include "core/schedule/TimeOfDay.h"
#include "frontend/FormDialog.h"

#include <QStringList>

#include <array>
#include <bitset>
#include <vector>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace tolvane {

class Frmmain;
class TimePicker;

class FrmDialogSchedule final : public FormDialog {
    Q_OBJECT
public:
    // The fields whose controls the user changed; only these are written on OK.
    enum class Field {
        Name, Day, StartTime, StartTimeDelay, EndTime, EndTimeDelay, SourceLine, UseDefaultFilePath, FilePath,
        FileName, Format, FormatSetting, Valid, BeforeExecute, AfterExecute, ExitTV, ExitWin, Hibernate, Count
    };

    FrmDialogSchedule(const DialogContext &context, Frmmain &owner);

    // Edits the schedules, the rows `keys` of the owner's list (none for a new schedule). True
    // when confirmed: the schedules then hold the edits; otherwise they are untouched.
    bool ChangeSchedule(const std::vector<std::shared_ptr<ClsSchedule>> &iSchedules, const QStringList &keys);
    // Edits the controller's default schedule and default folder; true when confirmed.
    bool ChangeDefault();

private:
    void BuildControls();
    void ShowCopies();
    void ShowSchedule(const ClsSchedule &s);
    void ShowDays();
    ClsSchedule &First() const { return *m_copies.front(); }
    bool Several() const { return m_copies.size() > 1; }
    void Mark(Field field);
    bool Marked(Field field) const { return m_changed.test(static_cast<size_t>(field)); }
    // Runs `change` on the controls without counting it as the user's edit.
    template <typename F>
    void Quietly(F &&change);

    // With several schedules, asks before a button changes them all; true to go on.
    bool AskForSeveral(const QString &question);
    // A sub-dialog on the first copy; its confirmed outcome (an edited schedule, a path) is
    // taken into every copy. `open` returns nothing when the user cancels.
    template <typename Open, typename Take>
    void EditAll(const QString &question, Field field, Open &&open, Take &&take);

    void OptEndTime_Click(bool duration);
    void OptFormat_Click();
    void ChkSavePath_Click();
    void ChkExitWindows_Click();
    void ChkHibernate_Click();
    void CChangeFormatSetting1_Click();
    void CChangePath_Click();
    void CGetDefault_Click();
    void OKButton_Click();
    bool CheckDuplicateName();
    bool CheckSize();
    void Apply(ClsSchedule &s);
    // DTPEnd read as the end time of day.
    Seconds EndOfDay() const;

    Frmmain &m_owner;
    std::vector<std::shared_ptr<ClsSchedule>> m_copies;
    QStringList m_editedKeys;
    bool m_defaultMode = false;
    bool m_loaded = false;
    bool m_duration = false;
    std::bitset<static_cast<size_t>(Field::Count)> m_changed;

    QLineEdit *m_name = nullptr;
    QLabel *m_days = nullptr;
    TimePicker *m_start = nullptr;
    TimePicker *m_startDelay = nullptr;
    std::array<QRadioButton *, 2> m_endOption{};
    TimePicker *m_end = nullptr;
    TimePicker *m_endDelay = nullptr;
    QCheckBox *m_useDefaultPath = nullptr;
    QLabel *m_savePath = nullptr;
    QPushButton *m_changePath = nullptr;
    QLabel *m_fileName = nullptr;
    std::array<QRadioButton *, 2> m_format{};
    std::array<QPushButton *, 2> m_formatSetting{};
    QCheckBox *m_valid = nullptr;
    QCheckBox *m_beforeExecute = nullptr;
    QPushButton *m_beforeExecuteSetting = nullptr;
    QCheckBox *m_afterExecute = nullptr;
    QPushButton *m_afterExecuteSetting = nullptr;
    QCheckBox *m_exitTV = nullptr;
    QCheckBox *m_exitWindows = nullptr;
    QCheckBox *m_hibernate = nullptr;
    QPushButton *m_ok = nullptr;
};

}  // namespace tolvane
