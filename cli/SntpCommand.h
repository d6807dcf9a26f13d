#pragma once
// `tolvane-cli sntp SERVER [--set]`: asks a time server once and shows how far the local clock
// is off; with --set, runs the clock-setting step as the timetable would.

#include <QString>

#include <cstdio>

namespace tolvane::cli {

int AskTimeServer(const QString &server, bool set, std::FILE *out, std::FILE *err);

}  // namespace tolvane::cli
