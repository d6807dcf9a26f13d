#include "Frmmain.h"

#include "common/DateTimeText.h"
#include "core/capture/WmaFileWriter.h"
#include "frontend/ClsSaveLoad.h"
#include "frontend/CoreMessages.h"
#include "frontend/ScheduleRowText.h"
#include "frontend/WindowNotifier.h"

#include <QApplication>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QTime>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace tolvane {

namespace {

const QString kSource = QStringLiteral("Frmmain");
// An error on the notice line: shown in the window's language, logged as written.
const char *const kErrorNotice = QT_TRANSLATE_NOOP("tolvane::Frmmain", "エラーが発生しました。エラー番号は%1です。%2");
constexpr int kKeyRole = Qt::UserRole;

// The system's time-of-day text, "H:mm:ss", of a moment given as seconds after midnight.
QString TimeText(Seconds s)
{
    return QTime(0, 0).addSecs(static_cast<int>(WrapDay(s).count())).toString(QStringLiteral("H:mm:ss"));
}

bool IsRecordingStatus(tolvane::Status s)
{
    const auto v = static_cast<qint32>(s);
    return v >= 3 && v <= 8;
}

}  // namespace

const QStringList &Frmmain::ColumnKeys()
{
    static const QStringList keys{QStringLiteral("Name"),        QStringLiteral("StartDay"),
                                  QStringLiteral("StartTime"),   QStringLiteral("EndTime"),
                                  QStringLiteral("Valid"),       QStringLiteral("Format"),
                                  QStringLiteral("SavePath"),    QStringLiteral("SplitByTime"),
                                  QStringLiteral("SplitNoSound"), QStringLiteral("Cut")};
    return keys;
}

Frmmain::Frmmain(Parts parts, QWidget *parent)
    : QWidget(parent),
      m_services(std::move(parts.services)),
      m_questions(parts.questions ? std::move(parts.questions) : std::make_shared<MessageBoxQuestioner>()),
      m_dialogs(std::move(parts.dialogs)),
      m_priority(std::move(parts.priority))
{
    setWindowTitle(QStringLiteral("Tolvane"));
    m_idleIcon = QIcon(QStringLiteral(":/icons/TV1.svg"));
    m_recordingIcon = QIcon(QStringLiteral(":/icons/TV2.svg"));
    setWindowIcon(m_idleIcon);
    m_tray.setVisible(true);
    m_tray.setIcon(m_idleIcon);
    connect(&m_tray, &CTray::Click, this, &Frmmain::mTray_Click);

    m_services->notifier = std::make_shared<WindowNotifier>(this);
    BuildControls();
    resize(760, 540);
}

Frmmain::~Frmmain()
{
    if (!m_released)
        Release();
}

// ---- Controls ----

QPushButton *Frmmain::AddButton(const char *key, const QString &caption, void (Frmmain::*command)())
{
    auto *b = new QPushButton(caption);
    b->setObjectName(QLatin1String(key));
    connect(b, &QPushButton::clicked, this, [this, command] { Guarded([&] { (this->*command)(); }); });
    return b;
}

void Frmmain::BuildControls()
{
    m_list = new QTreeWidget;
    m_list->setObjectName(QStringLiteral("LVwSchedules"));
    m_list->setRootIsDecorated(false);
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_list->setHeaderLabels({tr("スケジュール名"), tr("曜日"), tr("開始時刻"),
                             tr("終了時刻"), tr("有効/無効"), tr("フォーマット"),
                             tr("保存フォルダ"), tr("時間分割"), tr("無音部分割"),
                             tr("前後無音部カット")});
    m_list->header()->setSectionsMovable(true);
    m_list->header()->setSectionsClickable(true);
    m_list->header()->setSortIndicatorShown(false);
    connect(m_list->header(), &QHeaderView::sectionClicked, this,
            [this](int column) { m_list->sortItems(column, Qt::AscendingOrder); });
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, [this] { Guarded([&] { CChange_Click(); }); });
    m_list->installEventFilter(this);

    auto *frame = new QFrame;
    frame->setObjectName(QStringLiteral("Frame1"));
    auto *grid = new QGridLayout(frame);
    grid->setContentsMargins(0, 0, 0, 0);

    m_new = AddButton("Cnew", tr("新規"), &Frmmain::Cnew_Click);
    m_change = AddButton("CChange", tr("編集"), &Frmmain::CChange_Click);
    m_copy = AddButton("CCopy", tr("コピー"), &Frmmain::CCopy_Click);
    m_delete = AddButton("CDelete", tr("削除"), &Frmmain::CDelete_Click);
    m_openFolder = AddButton("COpenFolder", tr("保存フォルダ開く"), &Frmmain::COpenFolder_Click);
    m_changeDefault = AddButton("CChangeDefault", tr("標準設定編集"), &Frmmain::CChangeDefault_Click);
    m_rec = AddButton("CRec", tr("今すぐ録音"), &Frmmain::CRec_Click);
    m_recEnd = AddButton("CRecEnd", tr("録音終了"), &Frmmain::CRecEnd_Click);
    m_changeEndTime = AddButton("CChangeEndTime", tr("録音終了時刻変更"), &Frmmain::CChangeEndTime_Click);
    m_monitor = AddButton("CMonitor", tr("モニター開始"), &Frmmain::CMonitor_Click);
    m_changeOptions = AddButton("CChangeOptions", tr("オプション設定"), &Frmmain::CChangeOptions_Click);
    QPushButton *save = AddButton("CSave", tr("設定保存"), &Frmmain::CSave_Click);
    QPushButton *version = AddButton("CVersion", tr("バージョン情報"), &Frmmain::CVersion_Click);
    QPushButton *end = AddButton("CEnd", tr("終了"), &Frmmain::CEnd_Click);

    const QList<QPushButton *> scheduleRow{m_new, m_change, m_copy, m_delete, m_openFolder, m_changeDefault, save};
    const QList<QPushButton *> recordRow{m_rec, m_recEnd, m_changeEndTime, m_monitor, m_changeOptions, version, end};
    for (int i = 0; i < scheduleRow.size(); ++i) {
        grid->addWidget(scheduleRow[i], 0, i);
        grid->addWidget(recordRow[i], 1, i);
    }

    auto *meterTitle = new QLabel(tr("録音レベル"));
    meterTitle->setObjectName(QStringLiteral("Label4"));
    grid->addWidget(meterTitle, 2, 0);
    for (int c = 0; c < 2; ++c) {
        m_volume[c] = new QProgressBar;
        m_volume[c]->setObjectName(QStringLiteral("Pbvolume%1").arg(c));
        m_volume[c]->setTextVisible(false);
        m_volume[c]->setRange(m_meter.Minimum(), m_meter.Maximum());
        m_volume[c]->setValue(m_meter.Minimum());
        grid->addWidget(m_volume[c], 2 + c, 1, 1, 6);
    }
    m_volumeText = new QLabel(tr("0dBの音圧の入力がありました。                   "
                                 "(0dBに近い場合音が歪んでいる可能性があります)"));
    m_volumeText->setObjectName(QStringLiteral("LVolume"));
    m_volumeText->setWordWrap(true);
    // Room for both lines from the start, so that the list does not jump when sound arrives.
    m_volumeText->setMinimumHeight(2 * m_volumeText->fontMetrics().lineSpacing());
    grid->addWidget(m_volumeText, 4, 0, 1, 7);

    m_encodeText = new QLabel;
    m_encodeText->setObjectName(QStringLiteral("LEncode"));
    m_encodeProgress = new QProgressBar;
    m_encodeProgress->setObjectName(QStringLiteral("PbEncode"));
    m_encodeProgress->setRange(0, 100);
    grid->addWidget(m_encodeText, 5, 0, 1, 2);
    grid->addWidget(m_encodeProgress, 5, 2, 1, 5);
    m_encodeText->hide();
    m_encodeProgress->hide();
    m_encodeWatch = new QTimer(this);
    m_encodeWatch->setObjectName(QStringLiteral("TimerEncodeWatch"));
    m_encodeWatch->setInterval(1000);
    connect(m_encodeWatch, &QTimer::timeout, this, &Frmmain::HideEncodeProgressWhenDone);

    m_info = new QLabel;
    m_info->setObjectName(QStringLiteral("LInfo"));
    m_info->setFrameShape(QFrame::StyledPanel);
    grid->addWidget(m_info, 6, 0, 1, 7);

    m_noticeRow = new QWidget;
    m_noticeRow->setObjectName(QStringLiteral("FrameNotice"));
    auto *noticeLine = new QHBoxLayout(m_noticeRow);
    noticeLine->setContentsMargins(0, 0, 0, 0);
    m_noticeIcon = new QLabel;
    m_notice = new QLabel;
    m_notice->setObjectName(QStringLiteral("LNotice"));
    m_notice->setWordWrap(true);
    m_notice->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto *seen = new QPushButton(tr("確認"));
    seen->setObjectName(QStringLiteral("CNoticeSeen"));
    connect(seen, &QPushButton::clicked, this, &Frmmain::DismissNotice);
    noticeLine->addWidget(m_noticeIcon, 0, Qt::AlignTop);
    noticeLine->addWidget(m_notice, 1);
    noticeLine->addWidget(seen, 0, Qt::AlignTop);
    grid->addWidget(m_noticeRow, 7, 0, 1, 7);
    m_noticeRow->hide();

    auto *notice = new QLabel(tr("Windows Media形式の録音にはFFmpegのライブラリ(%1)を使用しています。")
                                  .arg(WmaFileWriter::Licence()));
    notice->setObjectName(QStringLiteral("Label1"));
    grid->addWidget(notice, 8, 0, 1, 5);
    auto *about = new QLabel(tr("<a href=\"readme\">Tolvaneについて</a>"));
    about->setObjectName(QStringLiteral("Label2"));
    about->setAlignment(Qt::AlignRight);
    connect(about, &QLabel::linkActivated, this, [this] { Guarded([&] { Label2_Click(); }); });
    grid->addWidget(about, 8, 5, 1, 2);

    // The list takes all the room above the band of controls, which sits right under it.
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addWidget(frame, 0);

    m_recInfoTimer = new QTimer(this);
    m_recInfoTimer->setObjectName(QStringLiteral("TimerRecInfoUpdate"));
    connect(m_recInfoTimer, &QTimer::timeout, this, [this] { Guarded([&] { RecInfoUpdate(); }); });

    // Without dialogs these commands cannot do their work.
    for (QPushButton *b : {m_new, m_change, m_changeDefault, m_rec, m_changeEndTime, m_changeOptions})
        EnableCommand(b, b->isEnabled());
}

void Frmmain::EnableCommand(QPushButton *button, bool on)
{
    button->setEnabled(on && m_dialogs != nullptr);
}

void Frmmain::EnableSelectionButtons(bool on)
{
    EnableCommand(m_change, on);
    m_delete->setEnabled(on);
    m_copy->setEnabled(on);
    m_openFolder->setEnabled(on);
}

template <typename F>
void Frmmain::Guarded(F &&handler)
{
    // Nothing may escape into Qt's event dispatch: whatever fails is shown and the window goes on.
    try {
        handler();
    } catch (const NumberedError &e) {
        ShowError(e);
    } catch (const std::exception &e) {
        ShowError(NumberedError(ErrNo::InvalidProcedureCall, QString::fromLocal8Bit(e.what()), kSource));
    }
}

bool Frmmain::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_list && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            Guarded([&] { CChange_Click(); });
            return true;
        }
        if (key == Qt::Key_Delete) {
            Guarded([&] { CDelete_Click(); });
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

// ---- Start-up ----

void Frmmain::Load()
{
    ClsSaveLoad(m_services->appFolder).LoadParameter(*this);

    m_controller = std::make_unique<ClsController>(m_services);
    ConnectController();
    Guarded([&] { m_controller->Setup(); });

    // Only when the user asked for it: otherwise the program keeps the priority it was started with.
    if (gSetPriority && !m_priority.Apply(gPriorityIndex))
        WriteFrontLog(QStringLiteral("優先度設定に失敗しました"));
    Guarded([&] { m_controller->SetPriority(gPriorityIndex); });

    FillScheduleList();
}

void Frmmain::ConnectController()
{
    ClsController *c = m_controller.get();
    connect(c, &ClsController::OnStatusChanged, this, [this](tolvane::Status s) { Guarded([&] { setStatus(s); }); });
    connect(c, &ClsController::OnSetParameter, this,
            [this](const std::shared_ptr<ClsSchedule> &s, tolvane::Status) { Guarded([&] { OnSetParameter(s); }); });
    connect(c, &ClsController::OnArriveWaveData8, this,
            [this](std::vector<quint8> &data) { Guarded([&] { OnArriveWaveData8(data); }); });
    connect(c, &ClsController::OnArriveWaveData16, this, [this](std::vector<qint16> &data) {
        // A meter that cannot be computed is no reason to disturb the recording.
        try {
            OnArriveWaveData16(data);
        } catch (...) {
        }
    });
    connect(c, &ClsController::OnUnload, this, [this](bool &cancel) { Guarded([&] { OnUnload(cancel); }); });
    connect(c, &ClsController::OnError, this, &Frmmain::ShowError);
    connect(c, &ClsController::OnWarning, this, &Frmmain::ShowWarning);
    connect(c, &ClsController::OnCaptureFileFinished, this, [this](const QString &path) {
        // The icon shows when a recording ends; without one, a finished file is worth a note.
        if (!m_tray.HostAvailable())
            Notify(QStringLiteral("録音ファイルを保存しました。") + path, QSystemTrayIcon::Information);
    });
    connect(c, &ClsController::OnWakeTimeChanged, this, [this] {
        if (m_status == tolvane::Status::Idle)
            SetInfo(IdleText());
    });
    connect(c, &ClsController::OnEncodeProgress, this,
            [this](const QString &path, double fraction) { Guarded([&] { OnEncodeProgress(path, fraction); }); });
}

void Frmmain::FillScheduleList()
{
    for (qint32 i = 0; i < m_controller->nSchedules(); ++i)
        Guarded([&] { AddSchedule2LVw(QStringLiteral("ID") + QString::number(i)); });
    if (m_list->topLevelItemCount() == 0) {
        EnableCommand(m_change, false);
        m_delete->setEnabled(false);
        m_copy->setEnabled(false);
    }
}

// ---- The list ----

void Frmmain::AddSchedule2LVw(const QString &Key)
{
    const std::shared_ptr<ClsSchedule> schedule = m_controller->Schedule(Key);
    auto *row = new QTreeWidgetItem(m_list);
    row->setData(0, kKeyRole, Key);
    ShowScheduleRow(*schedule, row);
}

void Frmmain::ShowScheduleRow(const ClsSchedule &s, QTreeWidgetItem *row)
{
    const QStringList texts{s.Name(),
                            RowText::Days(s),
                            s.StartTime(),
                            s.EndTime(),
                            RowText::Valid(s),
                            RowText::Format(s),
                            RowText::SavePath(s, m_controller->DefaultSavePath()),
                            RowText::SplitByTime(s),
                            RowText::SplitNoSound(s),
                            RowText::Cut(s)};
    for (int c = 0; c < texts.size(); ++c)
        row->setText(c, texts[c]);
}

QString Frmmain::KeyOf(const QTreeWidgetItem *row)
{
    return row->data(0, kKeyRole).toString();
}

QList<QTreeWidgetItem *> Frmmain::SelectedRows() const
{
    QList<QTreeWidgetItem *> rows;
    for (int i = 0; i < m_list->topLevelItemCount(); ++i) {
        if (m_list->topLevelItem(i)->isSelected())
            rows.append(m_list->topLevelItem(i));
    }
    return rows;
}

// ---- Commands ----

void Frmmain::Cnew_Click()
{
    if (!m_dialogs)
        return;
    const std::shared_ptr<ClsSchedule> s = m_controller->CreateNewSchedule();
    if (!m_dialogs->ChangeSchedule(*this, {s}, {}))
        return;
    m_needSave = true;
    AddSchedule2LVw(m_controller->AddSchedule2List(s));
    EnableSelectionButtons(true);
}

void Frmmain::CChange_Click()
{
    if (!m_change->isEnabled())
        return;
    const QList<QTreeWidgetItem *> rows = SelectedRows();
    if (rows.isEmpty())
        return;
    std::vector<std::shared_ptr<ClsSchedule>> copies;
    QStringList keys;
    for (QTreeWidgetItem *row : rows) {
        copies.push_back(m_controller->CopyOfSchedule(*m_controller->Schedule(KeyOf(row))));
        keys.append(KeyOf(row));
    }
    // A cancelled edit changes nothing, so it must not forget earlier unsaved changes either.
    if (!m_dialogs->ChangeSchedule(*this, copies, keys))
        return;
    m_needSave = true;
    for (size_t i = 0; i < copies.size(); ++i) {
        QTreeWidgetItem *row = rows[static_cast<qsizetype>(i)];
        m_controller->ChangeSchedule(KeyOf(row), *copies[i]);
        ShowScheduleRow(*copies[i], row);
    }
}

void Frmmain::CCopy_Click()
{
    std::vector<std::shared_ptr<ClsSchedule>> copies;
    for (QTreeWidgetItem *row : SelectedRows())
        copies.push_back(m_controller->CopyOfSchedule(*m_controller->Schedule(KeyOf(row))));
    if (copies.empty())
        return;
    for (const auto &copy : copies)
        AddSchedule2LVw(m_controller->AddSchedule2List(copy));
    m_needSave = true;
    EnableSelectionButtons(true);
}

void Frmmain::CDelete_Click()
{
    if (!m_delete->isEnabled())
        return;
    QStringList keys;
    for (QTreeWidgetItem *row : SelectedRows())
        keys.append(KeyOf(row));
    for (const QString &key : keys) {
        if (gAskDelete) {
            const QString question = tr("%1を削除しますか？").arg(m_controller->Schedule(key)->Name());
            if (m_questions->AskYesNo(this, question) != IQuestioner::Answer::Yes)
                return;
        }
        m_needSave = true;
        m_controller->DeleteSchedule(key);
        QTreeWidgetItem *row = nullptr;
        for (int i = 0; i < m_list->topLevelItemCount() && !row; ++i) {
            if (KeyOf(m_list->topLevelItem(i)) == key)
                row = m_list->topLevelItem(i);
        }
        if (!row)
            continue;
        const int index = m_list->indexOfTopLevelItem(row);
        delete row;
        const int count = m_list->topLevelItemCount();
        if (count == 0)
            EnableSelectionButtons(false);
        else
            m_list->topLevelItem(std::min(index, count - 1))->setSelected(true);
    }
}

void Frmmain::COpenFolder_Click()
{
    for (QTreeWidgetItem *row : SelectedRows()) {
        const std::shared_ptr<ClsSchedule> s = m_controller->Schedule(KeyOf(row));
        const QString folder = s->SavePath().isEmpty() ? m_controller->DefaultSavePath() : s->SavePath();
        if (m_services->shell->Execute(folder) <= 32)
            ShowError(NumberedError(ErrNo::PathFileAccess, folder + QStringLiteral("を開けませんでした。"), kSource));
    }
}

void Frmmain::CChangeDefault_Click()
{
    if (m_dialogs && m_dialogs->ChangeDefault(*this))
        m_needSave = true;
}

void Frmmain::CRec_Click()
{
    if (!m_dialogs)
        return;
    if (const auto s = m_dialogs->SetManualRecord(*this, m_controller->DefaultSchedule()))
        m_controller->StartOnTimeCapture(s);
}

void Frmmain::CRecEnd_Click()
{
    m_controller->StopCapture();
    setStatus(tolvane::Status::Idle);
}

void Frmmain::CChangeEndTime_Click()
{
    if (!m_dialogs)
        return;
    // Cancel keeps the recording as it is: an open-ended recording must not get an end time.
    if (const auto t = m_dialogs->ChangeEndTime(*this, m_controller->CaptureEndTime()))
        m_controller->setCaptureEndTime(*t);
}

void Frmmain::CMonitor_Click()
{
    if (m_status == tolvane::Status::Idle)
        m_controller->StartMonitor();
    else if (m_status == tolvane::Status::Monitor)
        m_controller->StopMonitor();
}

void Frmmain::CChangeOptions_Click()
{
    if (m_dialogs)
        m_dialogs->ChangeOptions(*this);
}

void Frmmain::CSave_Click()
{
    // The schedules are saved even when the window's own settings could not be, and the changes
    // count as saved only when both were written.
    bool saved = true;
    try {
        ClsSaveLoad(m_services->appFolder).SaveParameter(*this);
    } catch (const NumberedError &e) {
        ShowError(e);
        saved = false;
    }
    const auto watch = connect(m_controller.get(), &ClsController::OnError, this, [&saved] { saved = false; });
    m_controller->SaveSetting();
    disconnect(watch);
    if (saved)
        m_needSave = false;
}

void Frmmain::CVersion_Click()
{
    m_questions->Inform(this, QStringLiteral("TolcoreS:") + QStringLiteral(TOLVANE_FRONTEND_VERSION) +
                                  QStringLiteral("\nTolvane:") + m_controller->GetVersion(),
                        MessageIcon::Information);
}

void Frmmain::CEnd_Click()
{
    close();
}

void Frmmain::Label2_Click()
{
    const QString readme = QCoreApplication::applicationDirPath() + QStringLiteral("/../share/doc/tolvane/README.md");
    if (m_services->shell->Execute(QFileInfo(readme).absoluteFilePath()) <= 32)
        ShowError(NumberedError(ErrNo::FileNotFound, readme + QStringLiteral("を開けませんでした。"), kSource));
}

// ---- Status ----

void Frmmain::setStatus(tolvane::Status iStatus)
{
    m_status = iStatus;
    switch (iStatus) {
    case tolvane::Status::Idle:
        EnableCommand(m_rec, true);
        m_recEnd->setEnabled(false);
        EnableCommand(m_changeEndTime, false);
        m_monitor->setEnabled(true);
        m_monitor->setText(tr("モニター開始"));
        SetInfo(IdleText());
        SetTrayPicture(false);
        break;
    case tolvane::Status::Monitor:
        EnableCommand(m_rec, false);
        m_recEnd->setEnabled(false);
        EnableCommand(m_changeEndTime, false);
        m_monitor->setEnabled(true);
        m_monitor->setText(tr("モニター終了"));
        SetInfo(tr("現在モニター中"));
        break;
    case tolvane::Status::PresetWave:
    case tolvane::Status::PresetWM:
    case tolvane::Status::ManualWave:
    case tolvane::Status::ManualWM:
    case tolvane::Status::ManualEndSetWave:
    case tolvane::Status::ManualEndSetWM:
        EnableCommand(m_rec, false);
        m_recEnd->setEnabled(true);
        EnableCommand(m_changeEndTime, true);
        m_monitor->setEnabled(false);
        if (iStatus == tolvane::Status::PresetWave || iStatus == tolvane::Status::PresetWM)
            SetInfo(RecordingText(false));
        else if (iStatus == tolvane::Status::ManualWave || iStatus == tolvane::Status::ManualWM)
            SetInfo(tr("現在手動録音中終了時刻未設定"));
        else
            SetInfo(tr("現在手動録音中終了時刻%1").arg(TimeText(m_controller->CaptureEndTime())));
        SetTrayPicture(true);
        break;
    case tolvane::Status::StartUp:
    case tolvane::Status::ShutDown: return;
    }
    m_recInfoTimer->stop();
    // Windows Media recordings deliver no sound to the window, so a timer keeps the text current.
    if (iStatus == tolvane::Status::PresetWM || iStatus == tolvane::Status::ManualEndSetWM)
        m_recInfoTimer->start(500);
}

QString Frmmain::RemainingText(bool clockForm) const
{
    const Seconds left = WrapDay(Seconds(m_controller->LastCaptureTimeBySecond()));
    return clockForm ? TimeText(left) : FormatTimeOfDay(left);
}

void Frmmain::RecInfoUpdate()
{
    switch (m_status) {
    case tolvane::Status::PresetWave:
    case tolvane::Status::PresetWM:
    case tolvane::Status::ManualEndSetWave:
    case tolvane::Status::ManualEndSetWM: break;
    default: return;
    }
    if (!m_controller)
        return;
    SetInfo(RecordingText(true));
}

QString Frmmain::RecordingText(bool clockForm) const
{
    const bool preset = m_status == tolvane::Status::PresetWave || m_status == tolvane::Status::PresetWM;
    const QString end = TimeText(m_controller->CaptureEndTime());
    return preset ? tr("現在予約録音中%1まで(残り%2)").arg(end, RemainingText(clockForm))
                  : tr("現在手動録音中%1まで(残り%2)").arg(end, RemainingText(clockForm));
}

void Frmmain::SetInfo(const QString &text)
{
    m_info->setText(text);
    m_tray.setToolTipText(text);
}

void Frmmain::SetTrayPicture(bool recording)
{
    m_tray.setIcon(recording ? m_recordingIcon : m_idleIcon);
}

void Frmmain::ShowError(const NumberedError &e)
{
    const QString number = QString::number(e.Number());
    ShowNotice(tr(kErrorNotice).arg(number, CoreMessages::Translate(e.Description())),
               QString::fromUtf8(kErrorNotice).arg(number, e.Description()), QSystemTrayIcon::Critical,
               QStringLiteral("Error"));
}

void Frmmain::ShowWarning(const QString &text)
{
    ShowNotice(CoreMessages::Translate(text), text, QSystemTrayIcon::Warning, QStringLiteral("Warning"));
}

void Frmmain::ShowNotice(const QString &shown, const QString &logged, QSystemTrayIcon::MessageIcon icon,
                         const QString &subject)
{
    // It stays, with its time, until the user has seen it or a later one takes its place: an
    // unattended machine is looked at hours later. Nothing waits for an answer, and the status
    // line beside it goes on.
    const QStyle::StandardPixmap picture =
        icon == QSystemTrayIcon::Critical ? QStyle::SP_MessageBoxCritical : QStyle::SP_MessageBoxWarning;
    const int size = style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, this);
    m_noticeIcon->setPixmap(style()->standardIcon(picture, nullptr, this).pixmap(size, size));
    m_notice->setText(GeneralDateTimeText(m_services->clock->Now()) + QStringLiteral("  ") + shown);
    m_noticeRow->show();
    Notify(shown, icon);
    if (m_controller)
        m_controller->WriteLog(subject, logged);
}

void Frmmain::DismissNotice()
{
    m_noticeRow->hide();
    m_notice->clear();
}

void Frmmain::Notify(const QString &text, QSystemTrayIcon::MessageIcon icon)
{
    if (m_tray.HostAvailable()) {
        m_tray.ShowNotification(windowTitle(), text, icon);
        return;
    }
    if (m_services->desktopNotifier)
        m_services->desktopNotifier->Notify(windowTitle(), text,
                                            icon == QSystemTrayIcon::Critical      ? IDesktopNotifier::Urgency::Critical
                                            : icon == QSystemTrayIcon::Information ? IDesktopNotifier::Urgency::Low
                                                                                   : IDesktopNotifier::Urgency::Normal);
}

QString Frmmain::IdleText() const
{
    const QDateTime wake = m_controller ? m_controller->NextWakeTime() : QDateTime();
    return wake.isValid() ? tr("待機中(次の自動起動 %1)").arg(GeneralDateTimeText(wake))
                          : tr("待機中");
}

void Frmmain::WriteFrontLog(const QString &text)
{
    if (m_controller)
        m_controller->WriteLogLine(text);
}

// ---- Level meter and encode progress ----

void Frmmain::OnSetParameter(const std::shared_ptr<ClsSchedule> &schedule)
{
    m_meter.Reset(schedule->WaveSetting()->Bit() == Bit::Hi16bit);
    for (QProgressBar *bar : m_volume)
        bar->setRange(m_meter.Minimum(), m_meter.Maximum());
}

bool Frmmain::CapturingStereo(bool &stereo) const
{
    const std::shared_ptr<ClsSchedule> s = m_controller ? m_controller->CapturingSchedule() : nullptr;
    if (!s)
        return false;
    stereo = s->WaveSetting()->Channel() != Channel::mono;
    return true;
}

void Frmmain::OnArriveWaveData16(const std::vector<qint16> &data)
{
    bool stereo = true;
    if (!CapturingStereo(stereo))
        return;
    ShowMeter(m_meter.Feed16(data, stereo));
}

void Frmmain::OnArriveWaveData8(const std::vector<quint8> &data)
{
    bool stereo = true;
    if (!CapturingStereo(stereo))
        return;
    ShowMeter(m_meter.Feed8(data, stereo));
}

void Frmmain::ShowMeter(const LevelMeter::Result &r)
{
    for (size_t c = 0; c < 2; ++c)
        m_volume[c]->setValue(r.bars[c]);
    m_volumeText->setText(m_meter.HeldPeakText());
    RecInfoUpdate();
}

void Frmmain::OnEncodeProgress(const QString &path, double fraction)
{
    m_encodeText->setText(tr("MP3エンコード中 %1").arg(QFileInfo(path).fileName()));
    m_encodeProgress->setValue(static_cast<int>(std::lround(std::clamp(fraction, 0.0, 1.0) * 100)));
    m_encodeText->show();
    m_encodeProgress->show();
    m_encodeWatch->start();
}

void Frmmain::HideEncodeProgressWhenDone()
{
    // The encoder reports progress, not its end; the queue running empty is the end.
    if (m_controller && m_controller->WaitForGOGO())
        return;
    m_encodeWatch->stop();
    m_encodeText->hide();
    m_encodeProgress->hide();
}

// ---- Tray and shut-down ----

void Frmmain::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange || !isMinimized() || m_released)
        return;
    m_tray.setToolTipText(windowTitle() + m_info->text());
    // Hidden only when the icon can bring the window back.
    if (m_tray.AddIcon(this))
        QTimer::singleShot(0, this, &QWidget::hide);
}

void Frmmain::mTray_Click()
{
    setWindowState(windowState() & ~Qt::WindowMinimized);
    m_tray.DeleteIcon();
    show();
    activateWindow();
}

void Frmmain::OnUnload(bool &Cancel)
{
    if (m_released)
        return;
    Cancel = !QueryUnload();
    if (Cancel)
        return;
    // The controller is inside its own call; it is let go once that has returned.
    QTimer::singleShot(0, this, [this] {
        Release();
        close();
    });
}

bool Frmmain::QueryUnload()
{
    if (m_controller && IsRecordingStatus(m_controller->Status())) {
        if (m_questions->AskYesNo(this, tr("現在録音中です。このウィンドウを閉じると録音を終了しますがよろしいですか?")) !=
            IQuestioner::Answer::Yes)
            return false;
        m_controller->StopCapture();
        // Its last file may still be on its way to the encoder.
        WaitForCaptureClosed();
    }
    if (m_controller && m_controller->WaitForGOGO()) {
        if (m_questions->AskYesNo(this, tr("現在MP3へのエンコードが完了していないスケジュールがあります。"
                                           "このウィンドウを閉じるとエンコードは強制終了されますがよろしいですか?")) !=
            IQuestioner::Answer::Yes)
            return false;
    }
    if (m_needSave) {
        switch (m_questions->AskYesNoCancel(this, tr("設定が変更されている可能性があります。保存しますか?"))) {
        case IQuestioner::Answer::Cancel: return false;
        case IQuestioner::Answer::Yes:
            Guarded([&] { CSave_Click(); });
            // A save that did not go through keeps the window, the edits and the error shown.
            if (m_needSave)
                return false;
            break;
        case IQuestioner::Answer::No: break;
        }
    }
    return true;
}

void Frmmain::closeEvent(QCloseEvent *event)
{
    bool accept = m_released;
    Guarded([&] { accept = accept || QueryUnload(); });
    if (!accept) {
        event->ignore();
        return;
    }
    if (!m_released)
        Release();
    event->accept();
}

void Frmmain::WaitForCaptureClosed()
{
    // A stopped recording hands over its last block and closes its files through the event
    // loop; give it the moment it needs so that nothing recorded is lost.
    QElapsedTimer waited;
    waited.start();
    while (m_controller && m_controller->CaptureFinishing() && waited.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
}

void Frmmain::Release()
{
    m_released = true;
    m_recInfoTimer->stop();
    m_encodeWatch->stop();
    m_tray.DeleteIcon();
    WaitForCaptureClosed();
    m_controller.reset();
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w != this && w->isVisible())
            w->close();
    }
    emit Unloaded();
}

}  // namespace tolvane
