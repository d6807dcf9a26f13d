#pragma once
// `tolvane-cli run [--notify]`: the timetable without a window, until interrupted.

#include <QStringList>

#include <cstdio>

namespace tolvane::cli {

int RunTimetable(const QStringList &options, std::FILE *out, std::FILE *err);

}  // namespace tolvane::cli
