#pragma once
// The questions the window asks the user (delete, quit, save) and its information boxes, behind
// one seam so that tests answer them without a modal loop.

#include "core/platform/IUserNotifier.h"

#include <QString>

class QWidget;

namespace tolvane {

class IQuestioner {
public:
    enum class Answer { Yes, No, Cancel };

    virtual ~IQuestioner() = default;
    // Yes or No.
    virtual Answer AskYesNo(QWidget *parent, const QString &text) = 0;
    // Yes, No or Cancel (closing the box is Cancel).
    virtual Answer AskYesNoCancel(QWidget *parent, const QString &text) = 0;
    // A box with OK only; the icon tells information, warning and error apart.
    virtual void Inform(QWidget *parent, const QString &text, MessageIcon icon) = 0;
};

// Modal message boxes over the window.
class MessageBoxQuestioner final : public IQuestioner {
public:
    Answer AskYesNo(QWidget *parent, const QString &text) override;
    Answer AskYesNoCancel(QWidget *parent, const QString &text) override;
    void Inform(QWidget *parent, const QString &text, MessageIcon icon) override;
};

}  // namespace tolvane
