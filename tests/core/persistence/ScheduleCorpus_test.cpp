// Schedule files as the Windows program wrote them under Japanese, English and German locales,
// every old text layout in CP932, and files an editor touched: each loads whole, creates no
// folder anywhere, and saves to a file that loads back to the same schedules.

#include "tests/core/persistence/ScheduleFileTest.h"

#include <QTemporaryDir>

#include <vector>

using namespace tolvane;
using tolvane::test::ScheduleFileTest;

namespace {

QByteArray CorpusFile(const QString &name)
{
    QFile file(QStringLiteral(TOLVANE_SCHEDULE_CORPUS "/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList Names(ClsController &c)
{
    QStringList names;
    for (const auto &entry : c.ScheduleList())
        names << entry.schedule->Name();
    return names;
}

// The hour of each schedule's TimeDayStart, written in the locale's time form.
std::vector<qint64> DayStartHours(ClsController &c)
{
    std::vector<qint64> hours;
    for (const auto &entry : c.ScheduleList())
        hours.push_back(entry.schedule->TimeDayStart().count() / 3600);
    return hours;
}

}  // namespace

TEST_F(ScheduleFileTest, FilesFromTheWindowsProgramLoadWhole)
{
    const QStringList radio = {QStringLiteral("ﾗｼﾞｵ"), QStringLiteral("ﾏｲﾗｼﾞｵ")};
    const struct {
        const char *file;
        QStringList names;
        QString defaultName;
        std::vector<qint64> dayStartHours;  // empty: not checked
    } corpus[] = {
        {"ja-JP.xml", {QStringLiteral("ラジオ深夜便"), QStringLiteral("ﾗｼﾞｵ英会話"), QStringLiteral("ＦＭ　クラシック")},
         QStringLiteral("新しい予定"), {4, 0, 0}},
        {"ja-JP-12h.xml", {QStringLiteral("朝のニュース"), QStringLiteral("昼の放送"), QStringLiteral("夜")},
         QStringLiteral("新しい予定"), {5, 12, 21}},
        {"en-US.xml", {"Morning news", "Late show", "Noon"}, "New", {0, 18, 12}},
        {"de-DE.xml", {"Nachrichten", QStringLiteral("Hörspiel")}, "Neu", {0, 3}},
        {"editor.xml", {QStringLiteral("ﾗｼﾞｵ"), QStringLiteral("ラジオ")}, QStringLiteral("新しい予定"), {}},
        {"v037.txt", radio, QStringLiteral("ﾏｲ"), {}},
        {"v036.txt", radio, QStringLiteral("ﾏｲ"), {}},
        {"v035.txt", radio, QStringLiteral("ﾏｲ"), {}},
        {"v030.txt", radio, QStringLiteral("ﾏｲ"), {}},
        {"v020.txt", radio, QStringLiteral("ﾏｲ"), {}},
        {"v0018.txt", radio, QStringLiteral("ﾏｲ"), {}},
        {"v0016.txt", radio, "New", {}},
        {"untagged.txt", radio, "New", {}},
        {"utf8-editor.txt", {QStringLiteral("ラジオ深夜便"), QStringLiteral("Café")}, QStringLiteral("新しい予定"), {}},
    };

    // The paths of these files would name folders in whatever folder the program runs in.
    QTemporaryDir work;
    const test::WorkingFolder workIn(work.path());
    for (const auto &k : corpus) {
        SCOPED_TRACE(k.file);
        for (const QString &name : Files())
            QFile::remove(env.Path(name));
        env.notifier->messages.clear();
        const QString file = QString::fromLatin1(k.file);
        const QString stored = file.endsWith(".xml") ? "schedule.xml" : "schedule.txt";
        const QByteArray bytes = CorpusFile(file);
        ASSERT_FALSE(bytes.isEmpty());
        Write(stored, bytes);

        auto c = Load();
        EXPECT_EQ(Names(*c), k.names);
        EXPECT_EQ(c->DefaultSchedule()->Name(), k.defaultName);
        EXPECT_EQ(c->DefaultSavePath(), env.dir.path());
        for (const auto &entry : c->ScheduleList())
            EXPECT_TRUE(entry.schedule->SavePath().isEmpty() || entry.schedule->SavePath() == env.dir.path());
        if (!k.dayStartHours.empty()) {
            EXPECT_EQ(DayStartHours(*c), k.dayStartHours);
        }
        if (file == "de-DE.xml") {  // decimal commas
            EXPECT_EQ(c->DefaultSchedule()->WaveSetting()->NoSoundDecibels(), -40.5);
            EXPECT_EQ(c->ScheduleList().Item(1)->WaveSetting()->NoSoundSeconds(), 0.5);
        }
        // Only the save folders that could not be used are reported.
        for (const auto &m : env.notifier->messages)
            EXPECT_TRUE(m.text.endsWith(QStringLiteral("に設定しました。"))) << m.text.toStdString();

        Save(*c);
        const QByteArray saved = Read("schedule.xml");
        auto again = Load();
        EXPECT_EQ(Names(*again), k.names);
        Save(*again);
        EXPECT_EQ(Read("schedule.xml"), saved);
        const QStringList files = stored == "schedule.xml" ? QStringList{"schedule.xml"}
                                                           : QStringList{"schedule.txt", "schedule.xml"};
        EXPECT_EQ(Files(), files);
    }
    EXPECT_TRUE(QDir(work.path()).isEmpty());
}
