#include "IQuestioner.h"

#include <QMessageBox>

namespace tolvane {

namespace {
const QString kTitle = QStringLiteral("Tolvane");
}

IQuestioner::Answer MessageBoxQuestioner::AskYesNo(QWidget *parent, const QString &text)
{
    const auto b = QMessageBox::question(parent, kTitle, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
    return b == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

IQuestioner::Answer MessageBoxQuestioner::AskYesNoCancel(QWidget *parent, const QString &text)
{
    const auto b = QMessageBox::question(parent, kTitle, text, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                                         QMessageBox::Yes);
    return b == QMessageBox::Yes ? Answer::Yes : b == QMessageBox::No ? Answer::No : Answer::Cancel;
}

void MessageBoxQuestioner::Inform(QWidget *parent, const QString &text, MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Critical: QMessageBox::critical(parent, kTitle, text); break;
    case MessageIcon::Warning: QMessageBox::warning(parent, kTitle, text); break;
    case MessageIcon::Information: QMessageBox::information(parent, kTitle, text); break;
    case MessageIcon::None: QMessageBox(QMessageBox::NoIcon, kTitle, text, QMessageBox::Ok, parent).exec(); break;
    }
}

}  // namespace tolvane
