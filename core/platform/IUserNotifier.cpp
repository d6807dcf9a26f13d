#include "IUserNotifier.h"

#include <cstdio>

namespace tolvane {

void StderrNotifier::ShowMessage(const QString &text, MessageIcon icon, const QString &title)
{
    const char *kind = icon == MessageIcon::Critical  ? "error"
                       : icon == MessageIcon::Warning ? "warning"
                                                      : "message";
    const QString head = title.isEmpty() ? QString::fromLatin1(kind) : title;
    std::fprintf(stderr, "tolvane: %s: %s\n", head.toUtf8().constData(), text.toUtf8().constData());
    std::fflush(stderr);
}

}  // namespace tolvane
