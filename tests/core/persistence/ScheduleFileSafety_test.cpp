// The schedule file under failure: a damaged file does not stop the recorder and is kept before
// it is replaced; a save that fails or is cut short leaves the old file whole.

#include "tests/core/persistence/ScheduleFileTest.h"
#include "tests/support/SyscallFilter.h"

#include <sys/resource.h>
#include <sys/wait.h>

#include <csignal>

using namespace tolvane;
using tolvane::test::ScheduleFileTest;

namespace {

// While it lives, a file may not grow beyond `bytes`: writing past that fails (EFBIG).
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) : m_handler(std::signal(SIGXFSZ, SIG_IGN))
    {
        ::getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit limited = m_old;
        limited.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_handler);
    }

private:
    rlimit m_old{};
    void (*m_handler)(int);
};

class ScheduleFileSafetyTest : public ScheduleFileTest {
protected:
    // Saves a file holding schedules with these names; returns its bytes.
    QByteArray SaveSchedules(const QStringList &names)
    {
        auto c = Load();
        c->setBufferLength(5);
        for (const QString &name : names) {
            auto s = c->CreateNewSchedule();
            s->setName(name);
            c->AddSchedule2List(s);
        }
        Save(*c);
        return Read("schedule.xml");
    }
    QStringList LoadedNames()
    {
        QStringList names;
        const auto loaded = Load();
        for (const auto &entry : loaded->ScheduleList())
            names << entry.schedule->Name();
        return names;
    }
    void Watch(ClsController &c)
    {
        QObject::connect(&c, &ClsController::OnError, [this](const NumberedError &e) { errors.push_back(e); });
    }

    std::vector<NumberedError> errors;
};

}  // namespace

// A damaged file: Setup still starts the tick, probes and enters Idle, then raises the load
// error, with the schedules before the damage loaded. The first save keeps the damaged file as
// schedule.xml.bak (replacing an older copy); later saves leave that copy alone.
TEST_F(ScheduleFileSafetyTest, SetupGoesOnAfterADamagedFileWhichIsKeptBeforeItIsReplaced)
{
    QByteArray damaged = SaveSchedules({"first", "second"});
    const qsizetype saturday = damaged.lastIndexOf("<Saturday>");
    damaged.remove(saturday, damaged.indexOf("</Saturday>", saturday) + 11 - saturday);
    Write("schedule.xml", damaged);
    Write("schedule.xml.bak", "an older copy");

    ClsController c(env.services);
    Watch(c);
    try {
        c.Setup();
        FAIL() << "the damaged file loaded";
    } catch (const NumberedError &e) {
        EXPECT_EQ(e.Number(), ErrNo::TypeMismatch);
        EXPECT_TRUE(e.Description().contains("Saturday")) << e.what();
    }
    EXPECT_EQ(c.Status(), tolvane::Status::Idle);
    EXPECT_TRUE(env.timer->Running());
    EXPECT_TRUE(c.UseGOGO);
    EXPECT_EQ(c.BufferLength(), 5);
    ASSERT_EQ(c.nSchedules(), 1);
    EXPECT_EQ(c.Schedule("ID0")->Name(), "first");
    EXPECT_EQ(Read("schedule.xml"), damaged);
    EXPECT_EQ(Read("schedule.xml.bak"), "an older copy");

    c.SaveSetting();
    EXPECT_TRUE(errors.empty());
    EXPECT_EQ(Read("schedule.xml.bak"), damaged);
    EXPECT_EQ(LoadedNames(), QStringList{"first"});

    auto third = c.CreateNewSchedule();
    third->setName("third");
    c.AddSchedule2List(third);
    c.SaveSetting();
    EXPECT_TRUE(errors.empty());
    EXPECT_EQ(Read("schedule.xml.bak"), damaged);
    EXPECT_EQ(LoadedNames(), (QStringList{"first", "third"}));
}

// A schedule.xml that cannot be read at all (here a folder) fails the load with a file error;
// the recorder still runs, and a save reports its failure instead of pretending.
TEST_F(ScheduleFileSafetyTest, UnreadableFile)
{
    ASSERT_TRUE(QDir().mkdir(env.Path("schedule.xml")));
    ClsController c(env.services);
    Watch(c);
    try {
        c.Setup();
        FAIL() << "a folder loaded as the schedule file";
    } catch (const NumberedError &e) {
        EXPECT_EQ(e.Number(), ErrNo::PathFileAccess) << e.what();
    }
    EXPECT_EQ(c.Status(), tolvane::Status::Idle);
    c.SaveSetting();
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_TRUE(QFileInfo(env.Path("schedule.xml")).isDir());
    EXPECT_FALSE(QFile::exists(env.Path("schedule.xml.bak")));
}

// A save that runs out of room, or whose folder cannot exist, is reported through OnError and
// leaves the previous file as it was, with no temporary file behind.
TEST_F(ScheduleFileSafetyTest, FailedSavesLeaveTheOldFile)
{
    const QByteArray before = SaveSchedules({"before"});
    auto c = Load();
    Watch(*c);
    c->Schedule("ID0")->setName(QString(4096, u'x'));
    {
        const FileSizeLimit limit(1024);
        c->SaveSetting();
    }
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_TRUE(errors[0].Description().startsWith(env.Path("schedule.xml"))) << errors[0].what();
    EXPECT_EQ(Read("schedule.xml"), before);
    EXPECT_EQ(Files(), QStringList{"schedule.xml"});

    Write("file", "a regular file");
    env.services->appFolder = env.Path("file/sub");
    ClsController elsewhere(env.services);
    errors.clear();
    Watch(elsewhere);
    elsewhere.SaveSetting();
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].Number(), ErrNo::PathNotFound) << errors[0].what();
}

// A save cut short after the new file is written in full but before it takes the name (the
// process dies at the rename) leaves the previous schedule.xml whole and loadable.
TEST_F(ScheduleFileSafetyTest, SaveInterruptedBeforeTheRename)
{
    const QByteArray before = SaveSchedules({"before"});
    auto c = Load();
    c->Schedule("ID0")->setName("after");

    const pid_t child = ::fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        const rlimit noCore{0, 0};
        ::setrlimit(RLIMIT_CORE, &noCore);
        if (!test::FilterSyscalls(test::RenameSyscalls(), test::SyscallAction::KillProcess))
            ::_exit(2);
        try {
            Save(*c);
        } catch (...) {
            ::_exit(3);
        }
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the saving process ended with " << WEXITSTATUS(status);
    EXPECT_EQ(WTERMSIG(status), SIGSYS);

    EXPECT_EQ(Read("schedule.xml"), before);
    EXPECT_EQ(LoadedNames(), QStringList{"before"});
    // The new content was complete beside it when the process died.
    const QStringList temporary = QDir(env.dir.path()).entryList({"schedule.xml.?*"}, QDir::Files);
    ASSERT_EQ(temporary.size(), 1) << temporary.join(' ').toStdString();
    const QByteArray written = Read(temporary[0]);
    EXPECT_TRUE(written.contains("<ScheduleName>after</ScheduleName>"));
    EXPECT_TRUE(written.endsWith("</Schedules></TolvaneData>"));
}
