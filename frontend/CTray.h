#pragma once
// The program's icon in the desktop's notification area: picture, tooltip, the mouse events of
// the icon, and the icon put back when the panel that hosts it restarts.

#include <QIcon>
#include <QObject>
#include <QPointer>
#include <QSystemTrayIcon>
#include <QWidget>

#include <functional>

class QDBusServiceWatcher;

namespace tolvane {

class CTray : public QObject {
    Q_OBJECT
public:
    // Mouse buttons as the events report them.
    enum Button { Left = 1, Right = 2, Middle = 4 };

    explicit CTray(QObject *parent = nullptr);
    ~CTray() override;

    QIcon Icon() const { return m_picture; }
    void setIcon(const QIcon &NewIcon);
    // Cut to 63 characters, as much as a notification-area tooltip is sure to hold.
    QString ToolTipText() const { return m_toolTip; }
    void setToolTipText(const QString &NewToolTipText);
    // True between a successful AddIcon and DeleteIcon.
    bool Visible() const { return m_shown; }
    void setVisible(bool NewVisible);

    // Shows the icon on behalf of the window. False, and nothing shown, without a picture or
    // when the desktop has no notification area (a window hidden there could not come back).
    bool AddIcon(QWidget *owner);
    void DeleteIcon();

    // A balloon message from the icon, when it is shown.
    void ShowNotification(const QString &title, const QString &text, QSystemTrayIcon::MessageIcon icon);

    // The panel hosting notification icons has (re)started: a shown icon is added again.
    void TaskbarCreated();
    // What the icon reported; also the entry point for tests.
    void Activated(QSystemTrayIcon::ActivationReason reason);

    // Whether the desktop has a notification area to show the icon in.
    bool HostAvailable() const { return m_hostAvailable(); }
    // Replaces the question "is there a notification area?" (tests, which have none).
    void setHostCheck(std::function<bool()> check) { m_hostAvailable = std::move(check); }

signals:
    void Click();
    void DblClick();
    void MouseDown(int Button);
    void MouseUp(int Button);

private:
    void ButtonUp(int button);

    QSystemTrayIcon m_icon;
    QIcon m_picture;
    QString m_toolTip;
    QPointer<QWidget> m_owner;
    bool m_shown = false;
    // Set by a double click: the button-up that ends it is no click of its own.
    bool m_doubleClick = false;
    std::function<bool()> m_hostAvailable = &QSystemTrayIcon::isSystemTrayAvailable;
    QDBusServiceWatcher *m_hostWatcher = nullptr;
};

}  // namespace tolvane
