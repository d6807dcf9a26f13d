#pragma once
// `tolvane-cli record [--for hh:mm:ss] [--schedule NAME]`: a manual recording of the default
// schedule (or a named one), starting on the next whole second, until the given length has
// passed or Ctrl-C; prints each file it finished.

#include <QStringList>

#include <cstdio>

namespace tolvane::cli {

int RecordNow(const QStringList &options, std::FILE *out, std::FILE *err);

}  // namespace tolvane::cli
