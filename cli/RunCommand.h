#pragma once
// `tolvane-cli run`: the timetable without a window, until interrupted.

#include <cstdio>

namespace tolvane::cli {

int RunTimetable(std::FILE *out, std::FILE *err);

}  // namespace tolvane::cli
