#pragma once
// What the headless recorder prints: a line per status change, error and finished file, each
// with the time, so that a terminal or the journal shows what happened when.

#include "common/NumberedError.h"

#include <QString>

#include <cstdio>

namespace tolvane {
class ClsController;
}

namespace tolvane::cli {

class ConsoleOutput {
public:
    ConsoleOutput(std::FILE *out, std::FILE *err);

    // Prints the controller's status changes, errors, finished files and encode progress.
    void Attach(ClsController &controller);
    void Line(const QString &text);
    void Warning(const QString &text);
    void Error(const QString &text);
    void ReportError(const NumberedError &e);
    std::FILE *Out() const { return m_out; }

private:
    static QString Priority(bool journal, int priority);

    std::FILE *m_out;
    std::FILE *m_err;
    bool m_outToJournal;
    bool m_errToJournal;
    int m_lastPercent = -1;
};

// Writes UTF-8 text as it stands.
void Print(std::FILE *f, const QString &text);

}  // namespace tolvane::cli
