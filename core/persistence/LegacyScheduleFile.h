#pragma once
// Reads "schedule.txt", the one-value-per-line schedule file of the versions before
// "schedule.xml", in any of its eight layouts. Nothing writes it any more.

#include <QString>

#include <utility>

namespace tolvane {

class ClsController;

class LegacyScheduleFile {
public:
    explicit LegacyScheduleFile(QString filePath) : m_filePath(std::move(filePath)) {}

    // Fills the controller's options, default schedule and list. A file that cannot be read is
    // set aside as "schedule.bak" and the user is told; the error is raised again.
    void Load(ClsController &controller);

private:
    void Read(ClsController &controller);
    // Renames the file to "schedule.bak" beside it; a failed rename throws its own error.
    void SetAside();

    QString m_filePath;
};

}  // namespace tolvane
