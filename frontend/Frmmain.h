#pragma once
// The program's main window: the schedule list and its commands, the status line, the level
// meter and the notification-area icon, all following the one controller it holds.

#include "core/controller/ClsController.h"
#include "frontend/CTray.h"
#include "frontend/FrmSetPriority.h"
#include "frontend/IFrontDialogs.h"
#include "frontend/IQuestioner.h"
#include "frontend/LevelMeter.h"

#include <QWidget>

#include <memory>

class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;
class QTreeWidget;
class QTreeWidgetItem;

namespace tolvane {

class Frmmain : public QWidget {
    Q_OBJECT
public:
    struct Parts {
        std::shared_ptr<CoreServices> services;
        // Message boxes when null.
        std::shared_ptr<IQuestioner> questions;
        // Null until the dialogs exist: the commands that need one stay disabled.
        std::shared_ptr<IFrontDialogs> dialogs;
        FrmSetPriority priority;
    };

    explicit Frmmain(Parts parts, QWidget *parent = nullptr);
    ~Frmmain() override;

    // Start-up once this is the only instance: settings file, controller, priority, list.
    void Load();

    // Null before Load and after the window has let it go.
    ClsController *Controller() const { return m_controller.get(); }
    tolvane::Status Status() const { return m_status; }
    void setStatus(tolvane::Status iStatus);
    void AddSchedule2LVw(const QString &Key);
    void RecInfoUpdate();
    // Appends a line as it is to the activity log while the controller's logging is on; never fails.
    void WriteFrontLog(const QString &text);
    // Shows an error without stopping anything: notice line, icon balloon, log.
    void ShowError(const NumberedError &e);
    // Disk space running short and the like: shown like an error, stopping nothing.
    void ShowWarning(const QString &text);
    // The user has seen the notice: the line goes.
    void DismissNotice();

    bool NeedSave() const { return m_needSave; }
    // The options dialog changed what the next save writes.
    void setNeedSave(bool v) { m_needSave = v; }

    bool gAskDelete = true;
    bool gAskDoubling = true;
    bool gSetPriority = false;
    qint16 gPriorityIndex = 2;

    QTreeWidget *ScheduleList() const { return m_list; }
    CTray &Tray() { return m_tray; }
    // The list's column keys, in column order.
    static const QStringList &ColumnKeys();
    // The controller's key of the schedule a row shows.
    static QString KeyOf(const QTreeWidgetItem *row);

signals:
    // The window has let the controller go; the program ends.
    void Unloaded();

protected:
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QPushButton *AddButton(const char *key, const QString &caption, void (Frmmain::*command)());
    void BuildControls();
    void ConnectController();
    void FillScheduleList();
    void ShowScheduleRow(const ClsSchedule &schedule, QTreeWidgetItem *row);
    QList<QTreeWidgetItem *> SelectedRows() const;
    void EnableSelectionButtons(bool on);
    // Enables a command that needs a dialog only when there are dialogs.
    void EnableCommand(QPushButton *button, bool on);
    void SetInfo(const QString &text);
    // `shown` is the window's text, `logged` the log's, which never changes with the language.
    void ShowNotice(const QString &shown, const QString &logged, QSystemTrayIcon::MessageIcon icon,
                    const QString &subject);
    // A balloon from the icon; on a desktop without a notification area (stock GNOME) a desktop
    // notification, so that a hidden or covered window still tells what happened.
    void Notify(const QString &text, QSystemTrayIcon::MessageIcon icon);
    // "待機中", with the next wake-up when the wake alarm is set.
    QString IdleText() const;
    void SetTrayPicture(bool recording);
    QString RemainingText(bool clockForm) const;
    // "現在予約録音中" or "現在手動録音中" by the status, then the end time and the time left.
    QString RecordingText(bool clockForm) const;

    void Cnew_Click();
    void CChange_Click();
    void CCopy_Click();
    void CDelete_Click();
    void COpenFolder_Click();
    void CChangeDefault_Click();
    void CRec_Click();
    void CRecEnd_Click();
    void CChangeEndTime_Click();
    void CMonitor_Click();
    void CChangeOptions_Click();
    void CSave_Click();
    void CVersion_Click();
    void CEnd_Click();
    void Label2_Click();

    void OnSetParameter(const std::shared_ptr<ClsSchedule> &schedule);
    void OnArriveWaveData8(const std::vector<quint8> &data);
    void OnArriveWaveData16(const std::vector<qint16> &data);
    void ShowMeter(const LevelMeter::Result &r);
    bool CapturingStereo(bool &stereo) const;
    void OnUnload(bool &Cancel);
    void OnEncodeProgress(const QString &path, double fraction);
    void HideEncodeProgressWhenDone();
    template <typename F>
    void Guarded(F &&handler);
    void mTray_Click();

    // The three questions before quitting; false when the user keeps the window.
    bool QueryUnload();
    void WaitForCaptureClosed();
    void Release();

    std::shared_ptr<CoreServices> m_services;
    std::shared_ptr<IQuestioner> m_questions;
    std::shared_ptr<IFrontDialogs> m_dialogs;
    FrmSetPriority m_priority;
    std::unique_ptr<ClsController> m_controller;
    CTray m_tray;
    QIcon m_idleIcon;
    QIcon m_recordingIcon;
    LevelMeter m_meter;

    tolvane::Status m_status = tolvane::Status::StartUp;
    bool m_needSave = false;
    bool m_released = false;

    QTreeWidget *m_list = nullptr;
    QPushButton *m_new = nullptr;
    QPushButton *m_change = nullptr;
    QPushButton *m_copy = nullptr;
    QPushButton *m_delete = nullptr;
    QPushButton *m_openFolder = nullptr;
    QPushButton *m_changeDefault = nullptr;
    QPushButton *m_rec = nullptr;
    QPushButton *m_recEnd = nullptr;
    QPushButton *m_changeEndTime = nullptr;
    QPushButton *m_monitor = nullptr;
    QPushButton *m_changeOptions = nullptr;
    QProgressBar *m_volume[2] = {nullptr, nullptr};
    QLabel *m_volumeText = nullptr;
    QLabel *m_info = nullptr;
    // The last error or warning with its time, beside the status line until it is seen.
    QWidget *m_noticeRow = nullptr;
    QLabel *m_noticeIcon = nullptr;
    QLabel *m_notice = nullptr;
    QProgressBar *m_encodeProgress = nullptr;
    QLabel *m_encodeText = nullptr;
    QTimer *m_encodeWatch = nullptr;
    QTimer *m_recInfoTimer = nullptr;
};

}  // namespace tolvane
