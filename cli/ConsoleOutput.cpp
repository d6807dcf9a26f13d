#include "ConsoleOutput.h"

#include "common/DateTimeText.h"
#include "core/controller/ClsController.h"

#include <QFileInfo>

namespace tolvane::cli {

void Print(std::FILE *f, const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), f);
    std::fflush(f);
}

namespace {

// Under systemd (the service) each line carries its syslog priority, which the journal reads.
QString JournalPrefix(int priority)
{
    static const bool journal = qEnvironmentVariableIsSet("JOURNAL_STREAM");
    return journal ? QStringLiteral("<%1>").arg(priority) : QString();
}

}  // namespace

void ConsoleOutput::Line(const QString &text)
{
    Print(m_out, JournalPrefix(6) + GeneralDateTimeText(QDateTime::currentDateTime()) + QLatin1Char(' ') + text +
                     QLatin1Char('\n'));
}

void ConsoleOutput::Warning(const QString &text)
{
    Print(m_err, JournalPrefix(4) + QStringLiteral("tolvane-cli: warning: ") + text + QLatin1Char('\n'));
}

void ConsoleOutput::Error(const QString &text)
{
    Print(m_err, JournalPrefix(3) + QStringLiteral("tolvane-cli: ") + text + QLatin1Char('\n'));
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
