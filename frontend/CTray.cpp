#include "CTray.h"

#include <QDBusConnection>
#include <QDBusServiceWatcher>

namespace tolvane {

CTray::CTray(QObject *parent) : QObject(parent)
{
    connect(&m_icon, &QSystemTrayIcon::activated, this, &CTray::Activated);
    // Desktop panels publish notification icons through this service; when it comes back
    // after a restart, our icon has to be registered again.
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (bus.isConnected()) {
        m_hostWatcher = new QDBusServiceWatcher(QStringLiteral("org.kde.StatusNotifierWatcher"), bus,
                                                QDBusServiceWatcher::WatchForRegistration, this);
        connect(m_hostWatcher, &QDBusServiceWatcher::serviceRegistered, this, &CTray::TaskbarCreated);
    }
}

CTray::~CTray()
{
    if (m_shown)
        DeleteIcon();
}

void CTray::setIcon(const QIcon &NewIcon)
{
    m_picture = NewIcon;
    m_icon.setIcon(NewIcon);
}

void CTray::setToolTipText(const QString &NewToolTipText)
{
    m_toolTip = NewToolTipText.left(63);
    m_icon.setToolTip(m_toolTip);
}

void CTray::setVisible(bool NewVisible)
{
    if (NewVisible)
        AddIcon(m_owner);
    else
        DeleteIcon();
}

bool CTray::AddIcon(QWidget *owner)
{
    if (m_picture.isNull() || !m_hostAvailable())
        return false;
    m_owner = owner;
    m_icon.show();
    m_shown = true;
    return true;
}

void CTray::DeleteIcon()
{
    m_icon.hide();
    m_shown = false;
}

void CTray::ShowNotification(const QString &title, const QString &text, QSystemTrayIcon::MessageIcon icon)
{
    if (m_shown)
        m_icon.showMessage(title, text, icon);
}

void CTray::TaskbarCreated()
{
    if (!m_shown)
        return;
    m_icon.hide();
    m_icon.show();
}

void CTray::Activated(QSystemTrayIcon::ActivationReason reason)
{
    switch (reason) {
    case QSystemTrayIcon::Trigger:
        emit MouseDown(Left);
        ButtonUp(Left);
        break;
    case QSystemTrayIcon::DoubleClick:
        // The second press of a double click arrives as this reason alone.
        emit DblClick();
        m_doubleClick = true;
        ButtonUp(Left);
        break;
    case QSystemTrayIcon::Context:
        emit MouseDown(Right);
        ButtonUp(Right);
        break;
    case QSystemTrayIcon::MiddleClick:
        emit MouseDown(Middle);
        ButtonUp(Middle);
        break;
    case QSystemTrayIcon::Unknown: break;
    }
}

void CTray::ButtonUp(int button)
{
    emit MouseUp(button);
    if (button != Left)
        return;
    if (!m_doubleClick)
        emit Click();
    m_doubleClick = false;
}

}  // namespace tolvane
