#include "CommandLine.h"

#include "cli/ConsoleOutput.h"

namespace tolvane::cli {

CommandLine::CommandLine(const QString &command, const QString &arguments, const QString &description)
    : m_command(command), m_arguments(arguments)
{
    m_parser.setApplicationDescription(description);
    m_parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    // Qt's own help option brings --help-all, which a command would take for no option at all.
    m_parser.addOption({{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("shows this help")});
}

void CommandLine::AddArgument(const QString &name, const QString &description)
{
    m_parser.addPositionalArgument(name, description);
}

std::optional<int> CommandLine::Parse(const QStringList &words, int fewest, int most, std::FILE *out, std::FILE *err)
{
    // The parser skips the first word, which is the program's name.
    if (!m_parser.parse(QStringList{QStringLiteral("tolvane-cli")} + words))
        return Refuse(m_parser.errorText(), err);
    if (m_parser.isSet(QStringLiteral("help"))) {
        Print(out, HelpText());
        return 0;
    }
    const qsizetype count = m_parser.positionalArguments().size();
    if (count < fewest)
        return Refuse(QStringLiteral("%1 needs more arguments").arg(m_command), err);
    if (count > most)
        return Refuse(QStringLiteral("unexpected argument \"%1\"").arg(m_parser.positionalArguments().at(most)), err);
    return std::nullopt;
}

QString CommandLine::HelpText() const
{
    // Qt's usage line names the program alone; the command belongs in it.
    QString text = m_parser.helpText();
    const qsizetype lineEnd = text.indexOf(QLatin1Char('\n'));
    return Usage() + text.mid(lineEnd);
}

QString CommandLine::Usage() const
{
    return QStringLiteral("usage: tolvane-cli ") + m_command + (m_arguments.isEmpty() ? QString() : QLatin1Char(' ') + m_arguments);
}

int CommandLine::Refuse(const QString &problem, std::FILE *err) const
{
    Print(err, QStringLiteral("tolvane-cli: %1\n%2\n(tolvane-cli %3 --help tells more)\n").arg(problem, Usage(), m_command));
    return 2;
}

}  // namespace tolvane::cli
