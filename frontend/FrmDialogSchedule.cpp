#include "FrmDialogSchedule.h"

#include "core/controller/ClsController.h"
#include "core/schedule/ScheduleChecks.h"
#include "frontend/CoreMessages.h"
#include "frontend/DialogSavePath.h"
#include "frontend/FrmDialogChangeExecuteFile.h"
#include "frontend/FrmDialogDays.h"
#include "frontend/FrmDialogSetFileName.h"
#include "frontend/FrmDialogSourceDevice.h"
#include "frontend/FrmDialogWaveSetting.h"
#include "frontend/FrmWME.h"
#include "frontend/Frmmain.h"
#include "frontend/ScheduleRowText.h"
#include "frontend/TimePicker.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace tolvane {

namespace {

QString QualityQuestion()
{
    return FrmDialogSchedule::tr("複数のスケジュールの録音品質が変更されます。よろしいですか?");
}

Seconds TimeOfDayOr0(const QString &text)
{
    return ParseTimeOfDay(text).value_or(Seconds(0));
}

QLabel *FramedLabel(const char *name)
{
    auto *l = new QLabel;
    l->setObjectName(QLatin1String(name));
    l->setFrameShape(QFrame::StyledPanel);
    l->setWordWrap(true);
    return l;
}

}  // namespace

FrmDialogSchedule::FrmDialogSchedule(const DialogContext &context, Frmmain &owner)
    : FormDialog(context, "FrmDialogSchedule", tr("スケジュールの設定"), &owner), m_owner(owner)
{
    BuildControls();
}

void FrmDialogSchedule::BuildControls()
{
    m_name = NewText("TName");
    connect(m_name, &QLineEdit::textChanged, this, [this] { Mark(Field::Name); });
    m_days = FramedLabel("LDays");
    m_start = new TimePicker("DTPStart", this);
    m_startDelay = new TimePicker("DTPStartDelay", this);
    m_end = new TimePicker("DTPEnd", this);
    m_endDelay = new TimePicker("DTPEndDelay", this);
    const std::pair<TimePicker *, Field> pickers[] = {{m_start, Field::StartTime},
                                                      {m_startDelay, Field::StartTimeDelay},
                                                      {m_end, Field::EndTime},
                                                      {m_endDelay, Field::EndTimeDelay}};
    for (const auto &[picker, field] : pickers)
        connect(picker, &QTimeEdit::timeChanged, this, [this, field = field] { Mark(field); });
    m_endOption = {NewOption("OptEndTime0", tr("終了時刻")), NewOption("OptEndTime1", tr("録音時間"))};
    for (int i = 0; i < 2; ++i)
        connect(m_endOption[static_cast<size_t>(i)], &QRadioButton::clicked, this, [this, i] { OptEndTime_Click(i == 1); });

    m_useDefaultPath = NewCheck("ChkSavePath", tr("録音したファイルを標準の保存フォルダに保存する"));
    connect(m_useDefaultPath, &QCheckBox::toggled, this, &FrmDialogSchedule::ChkSavePath_Click);
    m_savePath = FramedLabel("LSavePath");
    m_changePath = NewButton("CChangePath", tr("変更"), [this] { CChangePath_Click(); });
    m_fileName = FramedLabel("LFileName");

    m_format = {NewOption("OptFormat0", tr("WAVE形式")),
                NewOption("OptFormat1", tr("WindowsMedia形式"))};
    for (QRadioButton *o : m_format)
        connect(o, &QRadioButton::toggled, this, &FrmDialogSchedule::OptFormat_Click);
    m_formatSetting = {
        NewButton("CChangeFormatSetting0", tr("WAVE設定"),
                  [this] {
                      EditAll(
                          QualityQuestion(), Field::FormatSetting,
                          [this] { return FrmDialogWaveSetting(Context(), this).ChangeWaveSetting(First()); },
                          [](ClsSchedule &copy, const ClsSchedule &edited) {
                              copy.setRecordingFormat(edited.RecordingFormat());
                              copy.MP3()->CopyFrom(*edited.MP3());
                              copy.WaveSetting()->CopyFrom(*edited.WaveSetting());
                          });
                  }),
        NewButton("CChangeFormatSetting1", tr("WM設定"), [this] { CChangeFormatSetting1_Click(); })};

    m_valid = NewCheck("ChkValid", tr("このスケジュールを有効にする"));
    connect(m_valid, &QCheckBox::toggled, this, [this] { Mark(Field::Valid); });
    m_beforeExecute = NewCheck("ChkBeforeExecute", tr("録音開始前にファイルを実行する"));
    m_beforeExecuteSetting = NewButton("CBeforeExecute", tr("設定"), [this] {
        EditAll(
            tr("複数のスケジュールの録音前にファイルを実行する設定が変更されます。よろしいですか?"),
            Field::BeforeExecute,
            [this] {
                FrmDialogChangeExecuteFile dialog(Context(), this);
                dialog.setWindowTitle(tr("録音前ファイル実行設定"));
                return dialog.ChangeExecuteFile(First(), true);
            },
            [](ClsSchedule &copy, const ClsSchedule &edited) {
                copy.setBeforeExecutePath(edited.BeforeExecutePath());
                copy.setBeforeExecuteSeconds(edited.BeforeExecuteSeconds());
            });
    });
    m_afterExecute = NewCheck("ChkAfterExecute", tr("録音開始後にファイルを実行する"));
    m_afterExecuteSetting = NewButton("CAfterExecute", tr("設定"), [this] {
        EditAll(
            tr("複数のスケジュールの録音後にファイルを実行する設定が変更されます。よろしいですか?"),
            Field::AfterExecute,
            [this] {
                FrmDialogChangeExecuteFile dialog(Context(), this);
                dialog.setWindowTitle(tr("録音後実行ファイル設定"));
                return dialog.ChangeExecuteFile(First(), false);
            },
            [](ClsSchedule &copy, const ClsSchedule &edited) { copy.setAfterExecutePath(edited.AfterExecutePath()); });
    });
    connect(m_beforeExecute, &QCheckBox::toggled, this, [this](bool on) {
        m_beforeExecuteSetting->setEnabled(on);
        Mark(Field::BeforeExecute);
    });
    connect(m_afterExecute, &QCheckBox::toggled, this, [this](bool on) {
        m_afterExecuteSetting->setEnabled(on);
        Mark(Field::AfterExecute);
    });
    m_exitTV = NewCheck("ChkExitTV", tr("録音終了時にTolvaneを終了する"));
    connect(m_exitTV, &QCheckBox::toggled, this, [this] { Mark(Field::ExitTV); });
    m_exitWindows = NewCheck("ChkExitWindows", tr("録音終了時にコンピュータの電源を切る"));
    connect(m_exitWindows, &QCheckBox::toggled, this, &FrmDialogSchedule::ChkExitWindows_Click);
    m_hibernate = NewCheck("ChkHibernate", tr("録音終了時にコンピュータを休止状態にする"));
    connect(m_hibernate, &QCheckBox::toggled, this, &FrmDialogSchedule::ChkHibernate_Click);

    // What, when and from where.
    auto *top = new QGridLayout;
    top->addWidget(NewLabel(tr("スケジュール名")), 0, 0);
    top->addWidget(m_name, 0, 1, 1, 4);
    top->addWidget(NewLabel(tr("曜日")), 1, 0);
    top->addWidget(m_days, 1, 1, 1, 3);
    top->addWidget(NewButton("CChangeDays", tr("録音曜日設定"),
                             [this] {
                                 EditAll(
                                     tr("複数のスケジュールの録音曜日が変更されます。よろしいですか?"),
                                     Field::Day,
                                     [this] { return FrmDialogDays(Context(), this).ChangeDaySetting(First()); },
                                     [](ClsSchedule &copy, const ClsSchedule &edited) {
                                         for (qint32 day = 0; day < 7; ++day)
                                             copy.setStartDay(day, edited.StartDay(day));
                                     });
                                 ShowDays();
                             }),
                   1, 4);
    top->addWidget(NewLabel(tr("開始時刻")), 2, 0);
    top->addWidget(m_start, 2, 1);
    top->addWidget(NewLabel(tr("開始時刻遅延")), 2, 2, Qt::AlignRight);
    top->addWidget(m_startDelay, 2, 3);
    auto *endFrame = new QGroupBox(tr("終了時間の指定"));
    auto *endGrid = new QGridLayout(endFrame);
    endGrid->addWidget(m_endOption[0], 0, 0);
    endGrid->addWidget(m_endOption[1], 1, 0);
    endGrid->addWidget(m_end, 0, 1, 2, 1);
    endGrid->addWidget(NewLabel(tr("終了時刻遅延")), 0, 2, 2, 1, Qt::AlignRight);
    endGrid->addWidget(m_endDelay, 0, 3, 2, 1);
    endGrid->setColumnStretch(4, 1);
    top->addWidget(endFrame, 3, 0, 1, 5);
    top->addWidget(NewLabel(tr("入力ライン")), 4, 0);
    top->addWidget(NewButton("CChangeSourceDevice", tr("入力ライン設定"),
                             [this] {
                                 EditAll(
                                     tr("複数のスケジュールの録音ソースが変更されます。よろしいですか?"),
                                     Field::SourceLine,
                                     [this] {
                                         return FrmDialogSourceDevice(Context(), this).ChangeSourceDevice(First());
                                     },
                                     [](ClsSchedule &copy, const ClsSchedule &edited) {
                                         copy.setUseSystemSourceDevice(edited.UseSystemSourceDevice());
                                         copy.setDeviceID(edited.DeviceID());
                                         copy.setSourceLineIndex(edited.SourceLineIndex());
                                         copy.setServerSource(edited.ServerSource());
                                         copy.setStreamURL(edited.StreamURL());
                                     });
                             }),
                   4, 1, Qt::AlignLeft);
    top->setColumnStretch(1, 1);
    top->setColumnStretch(3, 1);

    // Where the files go and what they are called.
    auto *files = new QGridLayout;
    files->addWidget(m_useDefaultPath, 0, 0, 1, 3);
    files->addWidget(NewLabel(tr("保存フォルダ")), 1, 0);
    files->addWidget(m_savePath, 1, 1);
    files->addWidget(m_changePath, 1, 2);
    files->addWidget(NewLabel(tr("ファイル名")), 2, 0);
    files->addWidget(m_fileName, 2, 1);
    files->addWidget(NewButton("CChangeFileName", tr("変更"),
                               [this] {
                                   EditAll(
                                       tr("複数のスケジュールのファイル名・日付変更時刻が変更されます。"
                                          "よろしいですか?"),
                                       Field::FileName,
                                       [this] {
                                           return FrmDialogSetFileName(Context(), this).ChangeFileName(First());
                                       },
                                       [](ClsSchedule &copy, const ClsSchedule &edited) {
                                           copy.setFileName(edited.FileName());
                                           copy.setTimeDayStart(edited.TimeDayStart());
                                       });
                                   m_fileName->setText(First().FileName());
                               }),
                     2, 2);
    files->setColumnStretch(1, 1);

    auto *formatFrame = new QGroupBox(tr("フォーマットの設定(MP3設定はWAVE設定内で行います)"));
    formatFrame->setObjectName(QStringLiteral("FrmFormat"));
    auto *formatGrid = new QGridLayout(formatFrame);
    formatGrid->addWidget(m_format[0], 0, 0);
    formatGrid->addWidget(m_formatSetting[0], 0, 1);
    formatGrid->addWidget(m_format[1], 1, 0);
    formatGrid->addWidget(m_formatSetting[1], 1, 1);
    formatGrid->addWidget(NewLabel(tr("WindowsMedia形式を選択するには　　　     "
                                      "FFmpeg(libavcodec)のWMAエンコーダが必要です"),
                                   true),
                          2, 0, 1, 3);
    formatGrid->addWidget(NewLabel(tr("WindowsMedia形式を選択した場合カット機能は使用できません"), true), 3,
                          0, 1, 3);
    formatGrid->setColumnStretch(2, 1);

    // Around the recording.
    auto *around = new QGridLayout;
    around->addWidget(m_valid, 0, 0, 1, 2);
    around->addWidget(m_beforeExecute, 1, 0);
    around->addWidget(m_beforeExecuteSetting, 1, 1);
    around->addWidget(m_afterExecute, 2, 0);
    around->addWidget(m_afterExecuteSetting, 2, 1);
    around->addWidget(m_exitTV, 3, 0, 1, 2);
    around->addWidget(m_exitWindows, 4, 0, 1, 2);
    around->addWidget(m_hibernate, 5, 0, 1, 2);
    around->setColumnStretch(2, 1);

    auto *foot = NewOkCancel([this] { OKButton_Click(); }, QStringLiteral("OK"), tr("ｷｬﾝｾﾙ"));
    foot->insertWidget(0, NewButton("CGetDefault", tr("標準設定に戻す"), [this] { CGetDefault_Click(); }));
    m_ok = findChild<QPushButton *>(QStringLiteral("OKButton"));

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(files);
    layout->addWidget(formatFrame);
    layout->addLayout(around);
    layout->addLayout(foot);
    setMinimumWidth(620);
}

// ---- Opening ----

bool FrmDialogSchedule::ChangeSchedule(const std::vector<std::shared_ptr<ClsSchedule>> &iSchedules,
                                       const QStringList &keys)
{
    if (iSchedules.empty())
        return false;
    m_copies.clear();
    for (const auto &s : iSchedules)
        m_copies.push_back(PrivateCopy(*s));
    m_editedKeys = keys;
    m_changed.reset();
    ShowCopies();
    m_loaded = true;
    if (!ShowModal())
        return false;
    for (size_t i = 0; i < iSchedules.size(); ++i)
        iSchedules[i]->CopyFrom(*m_copies[i]);
    return true;
}

bool FrmDialogSchedule::ChangeDefault()
{
    ClsSchedule &defaults = *Controller().DefaultSchedule();
    m_copies = {PrivateCopy(defaults)};
    m_defaultMode = true;
    m_changed.reset();
    ShowCopies();
    for (QWidget *w : std::initializer_list<QWidget *>{m_name, m_start, m_end, m_startDelay, m_endDelay})
        w->setEnabled(false);
    m_loaded = true;
    if (!ShowModal())
        return false;
    defaults.CopyFrom(First());
    return true;
}

void FrmDialogSchedule::ShowCopies()
{
    Quietly([&] {
        ShowSchedule(First());
        if (!Several())
            return;
        // Name, start and end belong to one schedule each; they cannot be edited together.
        m_start->setValue(Seconds(0));
        m_end->setValue(Seconds(0));
        m_start->setEnabled(false);
        m_end->setEnabled(false);
        m_name->clear();
        m_name->setEnabled(false);
        QPalette palette = m_name->palette();
        palette.setColor(QPalette::Base, palette.color(QPalette::Window));
        m_name->setPalette(palette);
    });
}

void FrmDialogSchedule::ShowSchedule(const ClsSchedule &s)
{
    m_name->setText(s.Name());
    ShowDays();
    const Seconds start = TimeOfDayOr0(s.StartTime());
    const Seconds end = TimeOfDayOr0(s.EndTime());
    m_start->setValue(start);
    m_startDelay->setValue(s.StartTimeDelay());
    m_endDelay->setValue(s.EndTimeDelay());
    m_duration = Controller().gSelectEndTimeSetter == EndTimeSetter::RecTime;
    m_endOption[m_duration ? 1 : 0]->setChecked(true);
    // A recording across midnight has the duration of the way round the clock.
    m_end->setValue(m_duration ? WrapDay(end - start) : end);
    m_valid->setChecked(s.Valid());
    m_format[s.RecordingFormat() == FormatType::windowsmedia ? 1 : 0]->setChecked(true);
    OptFormat_Click();
    m_format[1]->setEnabled(Controller().UseWME);

    const bool useDefault = s.SavePath().isEmpty();
    m_useDefaultPath->setChecked(useDefault);
    m_savePath->setText(useDefault ? Controller().DefaultSavePath() : s.SavePath());
    ChkSavePath_Click();
    m_fileName->setText(s.FileName());

    m_afterExecute->setChecked(s.AfterExecute());
    m_afterExecuteSetting->setEnabled(s.AfterExecute());
    m_beforeExecute->setChecked(s.BeforeExecute());
    m_beforeExecuteSetting->setEnabled(s.BeforeExecute());
    m_exitTV->setChecked(s.ExitTV());
    m_hibernate->setChecked(s.Hibernate());
    m_exitWindows->setChecked(s.ExitWindows());
}

void FrmDialogSchedule::ShowDays()
{
    m_days->setText(RowText::Days(First()));
}

void FrmDialogSchedule::Mark(Field field)
{
    if (m_loaded)
        m_changed.set(static_cast<size_t>(field));
}

template <typename F>
void FrmDialogSchedule::Quietly(F &&change)
{
    const bool loaded = std::exchange(m_loaded, false);
    change();
    m_loaded = loaded;
}

// ---- Controls ----

void FrmDialogSchedule::OptEndTime_Click(bool duration)
{
    if (duration == m_duration)
        return;
    m_duration = duration;
    // The picker keeps saying the same end, now in the other way of telling it.
    Quietly([&] { m_end->setValue(duration ? m_end->Value() - m_start->Value() : m_end->Value() + m_start->Value()); });
}

void FrmDialogSchedule::OptFormat_Click()
{
    const bool wave = m_format[0]->isChecked();
    m_formatSetting[0]->setEnabled(wave);
    m_formatSetting[1]->setEnabled(!wave && Controller().UseWME);
    Mark(Field::Format);
}

void FrmDialogSchedule::ChkSavePath_Click()
{
    const bool useDefault = m_useDefaultPath->isChecked();
    if (!m_defaultMode) {
        m_savePath->setEnabled(!useDefault);
        m_changePath->setEnabled(!useDefault);
        if (!useDefault && m_savePath->text().isEmpty())
            m_savePath->setText(Controller().DefaultSavePath());
    }
    Mark(Field::UseDefaultFilePath);
}

void FrmDialogSchedule::ChkExitWindows_Click()
{
    // Shutting the computer down ends the program too.
    if (m_exitWindows->isChecked())
        m_exitTV->setChecked(true);
    m_exitTV->setEnabled(!m_exitWindows->isChecked());
    Mark(Field::ExitWin);
}

void FrmDialogSchedule::ChkHibernate_Click()
{
    if (m_hibernate->isChecked())
        m_exitWindows->setChecked(false);
    m_exitWindows->setEnabled(!m_hibernate->isChecked());
    Mark(Field::Hibernate);
}

bool FrmDialogSchedule::AskForSeveral(const QString &question)
{
    return !Several() || Ask(question);
}

template <typename Open, typename Take>
void FrmDialogSchedule::EditAll(const QString &question, Field field, Open &&open, Take &&take)
{
    if (!AskForSeveral(question))
        return;
    const auto edited = open();
    if (!edited)
        return;
    for (const auto &copy : m_copies)
        take(*copy, *edited);
    Mark(field);
}

void FrmDialogSchedule::CChangeFormatSetting1_Click()
{
    EditAll(
        QualityQuestion(), Field::FormatSetting,
        [this] {
            return frontend::FrmWME(Context(), this)
                .ChangeWMESetting(frontend::FrmWME::SessionPathOf(First(), Controller().Services()->appFolder));
        },
        [](ClsSchedule &copy, const QString &path) { copy.setWMEFilePath(path); });
}

void FrmDialogSchedule::CChangePath_Click()
{
    EditAll(
        tr("複数のスケジュールの保存先が変更されます。よろしいですか?"), Field::FilePath,
        [this] {
            const auto path = DialogSavePath(Context(), this).GetSavePath(m_savePath->text());
            if (path)
                m_savePath->setText(*path);
            return path;
        },
        [](ClsSchedule &copy, const QString &path) { copy.setSavePath(path); });
}

void FrmDialogSchedule::CGetDefault_Click()
{
    const ClsSchedule &defaults = *Controller().DefaultSchedule();
    for (const auto &copy : m_copies) {
        copy->setDeviceID(defaults.DeviceID());
        copy->setServerSource(defaults.ServerSource());
        copy->setStreamURL(defaults.StreamURL());
        copy->setExitTV(defaults.ExitTV());
        copy->setExitWindows(defaults.ExitWindows());
        copy->setFileName(defaults.FileName());
        copy->MP3()->CopyFrom(*defaults.MP3());
        copy->setRecordingFormat(defaults.RecordingFormat());
        copy->setSavePath(defaults.SavePath());
        copy->setSourceLineIndex(defaults.SourceLineIndex());
        for (qint32 day = 0; day < 7; ++day)
            copy->setStartDay(day, defaults.StartDay(day));
        copy->setUseSystemSourceDevice(defaults.UseSystemSourceDevice());
        copy->setValid(defaults.Valid());
        copy->WaveSetting()->CopyFrom(*defaults.WaveSetting());
        copy->setWMEFilePath(defaults.WMEFilePath());
    }
    ShowCopies();
}

// ---- OK ----

void FrmDialogSchedule::OKButton_Click()
{
    if (Several() && !Ask(tr("複数のスケジュールの設定が変更されます。よろしいですか？")))
        return;
    m_ok->setFocus();
    if (!CheckDuplicateName() || !CheckSize())
        return;
    try {
        for (const auto &copy : m_copies)
            Apply(*copy);
    } catch (const NumberedError &e) {
        ShowError(ConfirmErrorText(tr("スケジュール編集確定時に予期せぬエラーが発生しました。"), e));
        return;
    }
    Confirm();
}

bool FrmDialogSchedule::CheckDuplicateName()
{
    if (Several() || m_defaultMode || !m_owner.gAskDoubling)
        return true;
    const QTreeWidget *list = m_owner.ScheduleList();
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *row = list->topLevelItem(i);
        // The schedule being edited does not count as its own duplicate.
        if (m_editedKeys.contains(Frmmain::KeyOf(row)) || row->text(0) != m_name->text())
            continue;
        if (Ask(CoreMessages::Translate(ScheduleChecks::DuplicateNameQuestion())))
            return true;
        m_name->setFocus();
        return false;
    }
    return true;
}

bool FrmDialogSchedule::CheckSize()
{
    if (!m_format[0]->isChecked())
        return true;
    const Seconds length = m_duration ? m_end->Value() : WrapDay(m_end->Value() - m_start->Value());
    if (!ScheduleChecks::ReachesWaveSizeLimit(*First().WaveSetting(), length))
        return true;
    if (Ask(CoreMessages::Translate(ScheduleChecks::WaveSizeQuestion())))
        return true;
    m_end->setFocus();
    return false;
}

Seconds FrmDialogSchedule::EndOfDay() const
{
    return m_duration ? WrapDay(m_start->Value() + m_end->Value()) : m_end->Value();
}

void FrmDialogSchedule::Apply(ClsSchedule &s)
{
    if (!Several()) {
        if (Marked(Field::Name))
            s.setName(m_name->text());
        if (Marked(Field::StartTime))
            s.setStartTime(FormatTimeOfDay(m_start->Value()));
        // A duration stays what the picker shows when only the start moves.
        if (Marked(Field::EndTime) || (m_duration && Marked(Field::StartTime)))
            s.setEndTime(FormatTimeOfDay(EndOfDay()));
    }
    if (Marked(Field::Valid))
        s.setValid(m_valid->isChecked());
    if (Marked(Field::StartTimeDelay))
        s.setStartTimeDelay(m_startDelay->Value());
    if (Marked(Field::EndTimeDelay))
        s.setEndTimeDelay(m_endDelay->Value());
    if (Marked(Field::BeforeExecute))
        s.setBeforeExecute(m_beforeExecute->isChecked());
    if (Marked(Field::AfterExecute))
        s.setAfterExecute(m_afterExecute->isChecked());
    if (Marked(Field::UseDefaultFilePath) || Marked(Field::FilePath)) {
        if (m_defaultMode)
            Controller().setDefaultSavePath(m_savePath->text());
        s.setSavePath(m_useDefaultPath->isChecked() ? QString() : m_savePath->text());
    }
    if (Marked(Field::Format)) {
        if (m_format[1]->isChecked())
            s.setRecordingFormat(FormatType::windowsmedia);
        else if (s.RecordingFormat() == FormatType::windowsmedia)
            s.setRecordingFormat(FormatType::wave);
    }
    if (Marked(Field::ExitTV) || Marked(Field::ExitWin) || Marked(Field::Hibernate)) {
        const bool h = m_hibernate->isChecked();
        const bool x = m_exitTV->isChecked();
        const bool w = m_exitWindows->isChecked();
        s.setHibernate(h);
        s.setExitTV(h ? x : w || x);
        s.setExitWindows(!h && w);
    }
}

}  // namespace tolvane
