#pragma once
// Starts a program, or opens a file or folder with its default application, and does not wait.
// Results keep the convention of the old shell call: above 32 is success, 32 or below failure.

#include <QString>

#include <vector>

namespace tolvane {

class IShellLauncher {
public:
    virtual ~IShellLauncher() = default;
    virtual int Execute(const QString &path) = 0;
};

namespace ShellResult {
inline constexpr int Started = 33;
inline constexpr int FileNotFound = 2;
inline constexpr int AccessDenied = 5;
inline constexpr int NoAssociation = 31;
}  // namespace ShellResult

// An executable file is started directly and detached, without a shell and without arguments;
// anything else is handed to xdg-open.
class LinuxShellLauncher final : public IShellLauncher {
public:
    int Execute(const QString &path) override;
};

}  // namespace tolvane
