#pragma once
// The window's own settings file "TolcoreShell.xml": the confirmation switches, the priority
// choice, the window size (pixels) and the width and order of the schedule list's columns.

#include <QString>

namespace tolvane {

class Frmmain;

class ClsSaveLoad {
public:
    explicit ClsSaveLoad(QString appFolder) : m_appFolder(std::move(appFolder)) {}

    // Applies the file to the window. Nothing in the file can make this fail: a value that does
    // not read leaves its own setting alone, and a file that is not ours changes nothing.
    void LoadParameter(Frmmain &window) const;
    // Replaces the file with the window's settings; throws when it cannot be written, and the
    // old file then stays as it was.
    void SaveParameter(const Frmmain &window) const;

    // The settings file whatever the letter case of its name, "TolcoreShell.xml" first; empty
    // when there is none.
    QString ExistingFile() const;

private:
    QString m_appFolder;
};

}  // namespace tolvane
