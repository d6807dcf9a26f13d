#pragma once
// Message boxes from the core. The window shows them as dialogs; the headless recorder writes
// them to standard error. The texts and the single OK button are the core's; how they reach
// the user is the front-end's.

#include <QString>

#include <vector>

namespace tolvane {

enum class MessageIcon { None, Information, Warning, Critical };

class IUserNotifier {
public:
    virtual ~IUserNotifier() = default;
    virtual void ShowMessage(const QString &text, MessageIcon icon = MessageIcon::None,
                             const QString &title = {}) = 0;
};

// Writes each message as one line on standard error.
class StderrNotifier final : public IUserNotifier {
public:
    void ShowMessage(const QString &text, MessageIcon icon, const QString &title) override;
};

// Keeps the messages for the caller to inspect (tests, and tools that print them later).
class RecordingNotifier final : public IUserNotifier {
public:
    struct Message {
        QString text;
        MessageIcon icon;
        QString title;
    };
    void ShowMessage(const QString &text, MessageIcon icon, const QString &title) override
    {
        messages.push_back({text, icon, title});
    }
    std::vector<Message> messages;
};

}  // namespace tolvane
