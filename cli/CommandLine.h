#pragma once
// The arguments of one tolvane-cli command, read with QCommandLineParser: its own --help, and
// an unknown option, a missing value or a word too many refused with exit status 2.

#include <QCommandLineParser>
#include <QString>
#include <QStringList>

#include <cstdio>
#include <optional>

namespace tolvane::cli {

class CommandLine {
public:
    // The usage line reads "tolvane-cli", the command ("record", "schedule add") and `arguments`
    // ("[--for hh:mm:ss] [--schedule NAME]").
    CommandLine(const QString &command, const QString &arguments, const QString &description);

    QCommandLineParser &Parser() { return m_parser; }
    // Declares the command's words after its name (shown in the help).
    void AddArgument(const QString &name, const QString &description);

    // Reads the words after the command's name. Nothing to return for the command to go on;
    // 0 after printing the help; 2 after printing what is wrong and the usage. The command
    // takes between `fewest` and `most` words besides its options.
    std::optional<int> Parse(const QStringList &words, int fewest, int most, std::FILE *out, std::FILE *err);

    QStringList Words() const { return m_parser.positionalArguments(); }
    QString Value(const QString &option) const { return m_parser.value(option); }
    bool IsSet(const QString &option) const { return m_parser.isSet(option); }

    QString HelpText() const;
    // Prints "tolvane-cli: <problem>" and the usage line; returns 2.
    int Refuse(const QString &problem, std::FILE *err) const;

private:
    QString Usage() const;

    QCommandLineParser m_parser;
    QString m_command;
    QString m_arguments;
};

}  // namespace tolvane::cli
