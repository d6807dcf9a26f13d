#pragma once
// Makes a file name unique: a name already taken gets "_" and a number before its extension.

#include <QString>

namespace tolvane {

class ClsNameDoublingChecker {
public:
    // CheckingPath itself when no file of that path exists, otherwise folder + base + "_" + n +
    // extension for the smallest n = 1, 2, ... that is free. The extension is looked for in the
    // file name only, so a dot in a folder name never moves the number into the folder.
    static QString AdaptFileName(const QString &CheckingPath);
};

}  // namespace tolvane
