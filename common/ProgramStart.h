#pragma once
// What every program of the project does with its command line before Qt starts: the words as
// text, help and messages written as UTF-8, and whether a window could open at all.

#include <QString>
#include <QStringList>

#include <cstdio>

namespace tolvane {

inline QStringList ProgramArguments(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return arguments;
}

// Writes UTF-8 text as it stands.
inline void PrintText(std::FILE *f, const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), f);
    std::fflush(f);
}

// Without a display QApplication would abort the program.
inline bool HasDisplay(const QStringList &arguments)
{
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || arguments.contains(QStringLiteral("-platform"));
}

}  // namespace tolvane
