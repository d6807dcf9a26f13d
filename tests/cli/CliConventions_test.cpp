// The command-line conventions of the four programs: --help on standard output with status 0,
// unknown or extra arguments refused with status 2 before anything is done, the window and the
// encoder refusing places they cannot work in, and journal priorities only towards the journal.

#include "CliRunner.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <pty.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace tolvane::test;

namespace {

struct Case {
    const char *program;
    QStringList args;
    int code;
    const char *out;  // a text the output holds; "" for no output at all
    const char *err;  // the same for the errors
};

// Runs with the application folder `folder`, which the cases expect never to be made.
CliResult RunProgram(const QString &program, const QStringList &args, const QString &folder,
                     QProcessEnvironment env = QProcessEnvironment::systemEnvironment())
{
    QProcess p;
    env.insert("TOLVANE_HOME", folder);
    env.insert("HOME", folder + "-home");
    p.setProcessEnvironment(env);
    p.start(program, args);
    p.waitForFinished(30000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

QString ProgramPath(const char *name)
{
    const QString cli = QStringLiteral(TOLVANE_CLI);
    return QString::fromLatin1(name) == "tolvane" ? QStringLiteral(TOLVANE_WINDOW)
                                                  : cli.left(cli.lastIndexOf('/') + 1) + QString::fromLatin1(name);
}

}  // namespace

// Each command answers --help itself, and refuses what it does not know without doing anything.
TEST(CliConventions, HelpAndRefusals)
{
    const Case cases[] = {
        {"tolvane-cli", {"--help"}, 0, "COMMAND --help", ""},
        {"tolvane-cli", {}, 2, "", "no command given"},
        {"tolvane-cli", {"--bogus"}, 2, "", "Unknown option 'bogus'"},
        {"tolvane-cli", {"run", "--help"}, 0, "usage: tolvane-cli run", ""},
        {"tolvane-cli", {"run", "now"}, 2, "", "unexpected argument \"now\""},
        {"tolvane-cli", {"run", "--help-all"}, 2, "", "Unknown option 'help-all'"},
        {"rivetta", {"--help-all"}, 0, "Usage: rivetta", ""},
        {"tolvane-cli", {"status", "--bogus"}, 2, "", "Unknown option 'bogus'"},
        {"tolvane-cli", {"status", "--help"}, 0, "Reads only", ""},
        {"tolvane-cli", {"devices", "extra"}, 2, "", "unexpected argument"},
        {"tolvane-cli", {"record", "--help"}, 0, "--for <hh:mm:ss>", ""},
        {"tolvane-cli", {"record", "--for"}, 2, "", "Missing value after '--for'"},
        {"tolvane-cli", {"record", "--for", "00:00:00"}, 2, "", "at least one second"},
        {"tolvane-cli", {"sntp"}, 2, "", "sntp needs a time server"},
        {"tolvane-cli", {"sntp", "127.0.0.1:9", "--sett"}, 2, "", "Unknown option 'sett'"},
        {"tolvane-cli", {"sntp", "a", "b"}, 2, "", "unexpected argument \"b\""},
        {"tolvane-cli", {"service"}, 2, "", "service needs more arguments"},
        {"tolvane-cli", {"service", "start"}, 2, "", "install or uninstall"},
        {"tolvane", {"--help"}, 0, "Usage: tolvane [options]", ""},
        {"tolvane", {"--version"}, 0, "tolvane 0.6.2", ""},
        {"tolvane", {"--bogus"}, 2, "", "Unknown option 'bogus'"},
        {"encorda", {"--help"}, 0, "not meant to be run by hand", ""},
        {"encorda", {"file.wav"}, 2, "", "it takes no arguments"},
    };
    for (const Case &c : cases) {
        QTemporaryDir home;
        const QString folder = home.path() + "/app";
        const CliResult r = RunProgram(ProgramPath(c.program), c.args, folder);
        const std::string what = std::string(c.program) + " " + c.args.join(' ').toStdString();
        EXPECT_EQ(r.code, c.code) << what << "\n" << r.err.toStdString();
        EXPECT_TRUE(*c.out ? r.out.contains(c.out) : r.out.isEmpty()) << what << "\nout: " << r.out.toStdString();
        EXPECT_TRUE(*c.err ? r.err.contains(c.err) : r.err.isEmpty()) << what << "\nerr: " << r.err.toStdString();
        // Help and refusals do nothing: not even the application folder is made.
        EXPECT_FALSE(QFileInfo::exists(folder)) << what;
    }
}

// Without a display the window says what to use instead, where Qt would abort.
TEST(CliConventions, WindowWithoutDisplayPointsToTheRecorder)
{
    QTemporaryDir home;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(name);
    const CliResult r = RunProgram(QStringLiteral(TOLVANE_WINDOW), {}, home.path() + "/app", env);
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains("no display") && r.err.contains("tolvane-cli run")) << r.err.toStdString();
}

// On a terminal the encoder refuses instead of writing its binary replies to it.
TEST(CliConventions, EncoderRefusesATerminal)
{
    int master = -1;
    int slave = -1;
    ASSERT_EQ(::openpty(&master, &slave, nullptr, nullptr, nullptr), 0);
    const QString terminal = QString::fromLocal8Bit(::ttyname(slave));
    QProcess p;
    p.setStandardInputFile(terminal);
    p.start(ProgramPath("encorda"), {});
    ASSERT_TRUE(p.waitForFinished(10000));
    ::close(slave);
    ::close(master);
    EXPECT_EQ(p.exitCode(), 2);
    EXPECT_TRUE(p.readAllStandardError().contains("does not run on a terminal"));
    EXPECT_TRUE(p.readAllStandardOutput().isEmpty());
}

// Journal priorities ("<3>") go only to the stream that JOURNAL_STREAM names: not to a pipe or a
// file that merely inherited the variable, but to the stream itself.
TEST(CliConventions, JournalPrioritiesOnlyOnTheJournalStream)
{
    QTemporaryDir home;
    QFile damaged(home.path() + "/schedule.xml");
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("<TolvaneData");  // status reports the load error on its standard error
    damaged.close();
    const QString errors = home.path() + "/errors.txt";
    QFile(errors).open(QIODevice::WriteOnly);
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(errors).constData(), &st), 0);
    const QString stream = QStringLiteral("%1:%2").arg(st.st_dev).arg(st.st_ino);

    for (const bool named : {false, true}) {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("TOLVANE_HOME", home.path());
        env.insert("JOURNAL_STREAM", named ? stream : QStringLiteral("%1:%2").arg(st.st_dev).arg(st.st_ino + 1));
        p.setProcessEnvironment(env);
        if (named)
            p.setStandardErrorFile(errors, QIODevice::Truncate);
        p.start(QStringLiteral(TOLVANE_CLI), {"status"});
        ASSERT_TRUE(p.waitForFinished(30000));
        QFile f(errors);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QByteArray err = named ? f.readAll() : p.readAllStandardError();
        EXPECT_EQ(p.exitCode(), 1);
        EXPECT_EQ(err.startsWith("<3>tolvane-cli: error"), named) << err.toStdString();
        EXPECT_TRUE(err.contains("tolvane-cli: error")) << err.toStdString();
    }
}
