#pragma once
// `tolvane-cli schedule list|add|edit|remove|enable|disable|postpone`: the schedules without the
// window, checked as the window's editor checks them and saved as the window saves them.

#include <QStringList>

#include <cstdio>

namespace tolvane::cli {

int ManageSchedules(const QStringList &words, std::FILE *out, std::FILE *err);

}  // namespace tolvane::cli
