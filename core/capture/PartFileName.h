#pragma once
// The rules every recorded file name follows: an expanded template is one path component, and
// a name already taken in the folder gets "_1", "_2", ... so that no recording is overwritten.

#include <QString>

namespace tolvane::PartFileName {

// The name made safe for one path component: "/" and control characters become "_", so an
// expanded template can never leave the save folder.
QString Safe(const QString &name);

struct Numbered {
    QString name;    // base, or base + "_" + number
    qint32 number;   // 0 for the base itself
};

// The first of base (number 0), base_1, base_2, ... from number `from` on, for which no file
// name.wav, name.mp3 or name.rmp exists in folder; names compare without regard to case.
Numbered Unique(const QString &folder, const QString &base, qint32 from = 0);

}  // namespace tolvane::PartFileName
