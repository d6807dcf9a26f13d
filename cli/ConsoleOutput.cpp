#include "ConsoleOutput.h"

#include "common/DateTimeText.h"
#include "common/ProgramStart.h"
#include "core/controller/ClsController.h"

#include <QFileInfo>

#include <sys/stat.h>

namespace tolvane::cli {

void Print(std::FILE *f, const QString &text)
{
    PrintText(f, text);
}

namespace {

// Under systemd each line carries its syslog priority, which the journal reads. systemd names the
// stream it connected in JOURNAL_STREAM ("device:inode"); a program started from the service
// with its output on a terminal or in a file inherits the variable all the same, so the stream
// itself has to be that one.
bool IsJournalStream(std::FILE *f)
{
    const QByteArray value = qgetenv("JOURNAL_STREAM");
    const qsizetype colon = value.indexOf(':');
    if (colon <= 0)
        return false;
    bool deviceRead = false;
    bool inodeRead = false;
    const qulonglong device = value.left(colon).toULongLong(&deviceRead);
    const qulonglong inode = value.mid(colon + 1).toULongLong(&inodeRead);
    struct stat st {};
    if (!deviceRead || !inodeRead || ::fstat(::fileno(f), &st) != 0)
        return false;
    return st.st_dev == device && st.st_ino == inode;
}

}  // namespace

ConsoleOutput::ConsoleOutput(std::FILE *out, std::FILE *err)
    : m_out(out), m_err(err), m_outToJournal(IsJournalStream(out)), m_errToJournal(IsJournalStream(err))
{
}

QString ConsoleOutput::Priority(bool journal, int priority)
{
    return journal ? QStringLiteral("<%1>").arg(priority) : QString();
}

void ConsoleOutput::Line(const QString &text)
{
    Print(m_out, Priority(m_outToJournal, 6) + GeneralDateTimeText(QDateTime::currentDateTime()) + QLatin1Char(' ') + text +
                     QLatin1Char('\n'));
}

void ConsoleOutput::Warning(const QString &text)
{
    Print(m_err, Priority(m_errToJournal, 4) + QStringLiteral("tolvane-cli: warning: ") + text + QLatin1Char('\n'));
}

void ConsoleOutput::Error(const QString &text)
{
    Print(m_err, Priority(m_errToJournal, 3) + QStringLiteral("tolvane-cli: ") + text + QLatin1Char('\n'));
}

void ConsoleOutput::ReportError(const NumberedError &e)
{
    Error(QStringLiteral("error %1: %2").arg(e.Number()).arg(e.Description()));
}

void ConsoleOutput::Attach(ClsController &c)
{
    QObject::connect(&c, &ClsController::OnStatusChanged, [this](tolvane::Status s) {
        Line(QStringLiteral("status %1").arg(StatusName(s)));
    });
    // Errors go to the log too, as the window writes them, so that rec.log tells what went wrong.
    QObject::connect(&c, &ClsController::OnError, [this, &c](const NumberedError &e) {
        ReportError(e);
        c.WriteLog(QStringLiteral("Error"), QStringLiteral("エラーが発生しました。エラー番号は%1です。%2").arg(e.Number()).arg(e.Description()));
    });
    QObject::connect(&c, &ClsController::OnCaptureFileFinished,
                     [this](const QString &path) { Line(QStringLiteral("finished %1").arg(path)); });
    QObject::connect(&c, &ClsController::OnEncodeProgress, [this](const QString &path, double fraction) {
        const int percent = static_cast<int>(fraction * 100);
        if (percent / 10 == m_lastPercent / 10 && percent < 100)
            return;
        m_lastPercent = percent;
        Line(QStringLiteral("encoding %1: %2 %").arg(QFileInfo(path).fileName()).arg(percent));
    });
    QObject::connect(&c, &ClsController::OnWarning, [this](const QString &text) { Warning(text); });
    QObject::connect(&c, &ClsController::OnWakeTimeChanged, [this](const QDateTime &wake) {
        Line(wake.isValid() ? QStringLiteral("wake alarm set for %1").arg(GeneralDateTimeText(wake))
                            : QStringLiteral("wake alarm cleared"));
    });
    QObject::connect(&c, &ClsController::OnTimeSet, [this](bool ok) {
        Line(ok ? QStringLiteral("clock set from the time server") : QStringLiteral("clock not set: no time from the server"));
    });
}

}  // namespace tolvane::cli
