#pragma once
// Messages from the core while the window runs: a box that does not wait for an answer (an
// unattended recorder must never stall on one), and a line in the front-end's log.

#include "core/platform/IUserNotifier.h"

#include <QPointer>

namespace tolvane {

class Frmmain;

class WindowNotifier final : public IUserNotifier {
public:
    explicit WindowNotifier(Frmmain *window) : m_window(window) {}
    void ShowMessage(const QString &text, MessageIcon icon, const QString &title) override;

private:
    QPointer<Frmmain> m_window;
};

}  // namespace tolvane
