#pragma once
// `tolvane-cli service install|uninstall`: the headless recorder as a systemd user service,
// started with the session and restarted if it fails.

#include <QString>

#include <cstdio>

namespace tolvane::cli {

int ManageService(const QString &action, std::FILE *out, std::FILE *err);

// The unit text for this program's folder.
QString ServiceUnitText();

}  // namespace tolvane::cli
