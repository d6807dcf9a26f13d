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

    // Fills the controller's options, default schedule and list. A file whose head (layout
    // tag, options) cannot be read is set aside whole and the user is told; the error is raised
    // again. A schedule that cannot be read is left out and the others load: its lines are
    // written to a file of their own, the user is told which schedule it was, and an error
    // naming it is raised at the end. Either file is "schedule.bak", or the first free one of
    // "schedule.bak.1", "schedule.bak.2", ...
    void Load(ClsController &controller);

private:
    QString m_filePath;
};

}  // namespace tolvane
