#include "WindowNotifier.h"

#include "frontend/CoreMessages.h"
#include "frontend/Frmmain.h"

#include <QMessageBox>

namespace tolvane {

void WindowNotifier::ShowMessage(const QString &text, MessageIcon icon, const QString &title)
{
    const QMessageBox::Icon boxIcon = icon == MessageIcon::Critical      ? QMessageBox::Critical
                                      : icon == MessageIcon::Warning     ? QMessageBox::Warning
                                      : icon == MessageIcon::Information ? QMessageBox::Information
                                                                         : QMessageBox::NoIcon;
    auto *box = new QMessageBox(boxIcon, title.isEmpty() ? QStringLiteral("Tolvane") : title,
                                CoreMessages::Translate(text), QMessageBox::Ok, m_window);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    box->show();
    if (m_window)
        m_window->WriteFrontLog(QStringLiteral("Message ") + text);
}

}  // namespace tolvane
