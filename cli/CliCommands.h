#pragma once
// The commands of the headless recorder, each returning the program's exit status.

#include <QStringList>

#include <cstdio>

namespace tolvane::cli {

int Run(const QStringList &arguments, std::FILE *out, std::FILE *err);

}  // namespace tolvane::cli
