// The window's settings file: a round trip, the column order, the older schedule file's
// switches, and files that must change nothing.

#include "frontend/ClsSaveLoad.h"
#include "frontend/ClsSaveLoadXMLHelper.h"
#include "tests/frontend/WindowFixture.h"

#include <QFile>
#include <QHeaderView>

#include <sys/resource.h>

#include <csignal>

using namespace tolvane;
using namespace tolvane::test;

namespace {

class SettingsFile : public WindowFixture {
protected:
    SettingsFile() { window = std::make_unique<Frmmain>(parts); }

    void Write(const QString &name, const QByteArray &content)
    {
        QFile f(env.Path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    QByteArray Read(const QString &name) const
    {
        QFile f(env.Path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    ClsSaveLoad File() const { return ClsSaveLoad(env.dir.path()); }
    QHeaderView &Header() const { return *window->ScheduleList()->header(); }

    // Every value away from its default, so that a round trip shows each one.
    void Unusual(Frmmain &w)
    {
        w.gAskDelete = false;
        w.gAskDoubling = false;
        w.gSetPriority = true;
        w.gPriorityIndex = 4;
        w.resize(901, 612);
        QHeaderView &h = *w.ScheduleList()->header();
        h.resizeSection(5, 333);
        h.moveSection(h.visualIndex(9), 0);
    }
};

// What is saved comes back, in a fresh window; the file has the documented form.
TEST_F(SettingsFile, SaveThenLoadRestoresEverything)
{
    Unusual(*window);
    File().SaveParameter(*window);
    const QByteArray text = Read(QStringLiteral("TolcoreShell.xml"));
    EXPECT_TRUE(text.startsWith("<TolvaneShellData><AskDelete>False</AskDelete><AskDoubling>False</AskDoubling>"
                                "<SetPriority>True</SetPriority><PriorityIndex>4</PriorityIndex>"
                                "<MainHeight>612</MainHeight><MainWidth>901</MainWidth><ScheduleList><Name><Width>"))
        << text.toStdString();
    EXPECT_FALSE(text.contains('\n'));

    Frmmain fresh(parts);
    File().LoadParameter(fresh);
    EXPECT_FALSE(fresh.gAskDelete);
    EXPECT_FALSE(fresh.gAskDoubling);
    EXPECT_TRUE(fresh.gSetPriority);
    EXPECT_EQ(fresh.gPriorityIndex, 4);
    EXPECT_EQ(fresh.width(), 901);
    EXPECT_EQ(fresh.height(), 612);
    QHeaderView &h = *fresh.ScheduleList()->header();
    EXPECT_EQ(h.sectionSize(5), 333);
    for (int c = 0; c < 10; ++c)
        EXPECT_EQ(h.visualIndex(c), Header().visualIndex(c)) << c;
    EXPECT_EQ(h.visualIndex(9), 0);
}

// Two columns whose stored places are exchanged come back exchanged; impossible places leave
// a column where it is, and the places stay a permutation.
TEST_F(SettingsFile, ColumnPositionsSwap)
{
    Write(QStringLiteral("TolcoreShell.xml"),
          "<TolvaneShellData><ScheduleList><Name><Width>120</Width><Position>2</Position></Name>"
          "<StartDay><Width>40</Width><Position>1</Position></StartDay>"
          "<StartTime><Position>99</Position></StartTime><EndTime><Position>x</Position></EndTime>"
          "<Cut><Position>3</Position></Cut></ScheduleList></TolvaneShellData>");
    File().LoadParameter(*window);
    EXPECT_EQ(Header().visualIndex(0), 1);
    EXPECT_EQ(Header().visualIndex(1), 0);
    EXPECT_EQ(Header().sectionSize(0), 120);
    EXPECT_EQ(Header().visualIndex(9), 2);
    EXPECT_EQ(Header().visualIndex(2), 9);
    EXPECT_EQ(Header().visualIndex(3), 3);
    QList<int> places;
    for (int c = 0; c < 10; ++c)
        places << Header().visualIndex(c);
    std::sort(places.begin(), places.end());
    EXPECT_EQ(places, QList<int>({0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
}

// Missing values: the priority pair falls back to off and normal, the rest stay as they were;
// the file is found whatever the letter case of its name.
TEST_F(SettingsFile, MissingValuesAndLetterCase)
{
    window->gSetPriority = true;
    window->gPriorityIndex = 0;
    window->resize(640, 400);
    Write(QStringLiteral("tolcoreshell.XML"), "<TolvaneShellData><AskDoubling>False</AskDoubling>"
                                              "<MainWidth>700.4</MainWidth><MainHeight>big</MainHeight></TolvaneShellData>");
    File().LoadParameter(*window);
    EXPECT_TRUE(window->gAskDelete);
    EXPECT_FALSE(window->gAskDoubling);
    EXPECT_FALSE(window->gSetPriority);
    EXPECT_EQ(window->gPriorityIndex, 2);
    EXPECT_EQ(window->width(), 700);
    EXPECT_EQ(window->height(), 400);

    // Saving replaces that file rather than adding a second spelling beside it.
    File().SaveParameter(*window);
    EXPECT_FALSE(QFile::exists(env.Path(QStringLiteral("TolcoreShell.xml"))));
    EXPECT_TRUE(Read(QStringLiteral("tolcoreshell.XML")).startsWith("<TolvaneShellData><AskDelete>True"));
}

// A damaged file, a file of another program and out-of-range numbers change nothing.
TEST_F(SettingsFile, DamagedOrForeignFileChangesNothing)
{
    Unusual(*window);
    const QSize size = window->size();
    for (const QByteArray &content : {QByteArray("<TolvaneShellData><AskDelete>True</AskDel"),
                                      QByteArray("\xff\xfe garbage"),
                                      QByteArray("<Other><AskDelete>True</AskDelete></Other>")}) {
        Write(QStringLiteral("TolcoreShell.xml"), content);
        File().LoadParameter(*window);
        EXPECT_FALSE(window->gAskDelete);
        EXPECT_TRUE(window->gSetPriority);
        EXPECT_EQ(window->gPriorityIndex, 4);
        EXPECT_EQ(window->size(), size);
        EXPECT_EQ(Header().visualIndex(9), 0);
    }
    Write(QStringLiteral("TolcoreShell.xml"),
          "<TolvaneShellData><PriorityIndex>7</PriorityIndex><MainWidth>-5</MainWidth></TolvaneShellData>");
    File().LoadParameter(*window);
    EXPECT_EQ(window->gPriorityIndex, 2);
    EXPECT_EQ(window->size(), size);
}

// Without a settings file, an earlier version's schedule file gives the two switches.
TEST_F(SettingsFile, OldScheduleFileOptions)
{
    window->gSetPriority = true;
    window->gPriorityIndex = 4;
    const QSize size = window->size();
    Write(QStringLiteral("schedule.xml"), "<TolcoreData><Options><AskDelete>False</AskDelete></Options></TolcoreData>");
    File().LoadParameter(*window);
    EXPECT_FALSE(window->gAskDelete);
    EXPECT_TRUE(window->gAskDoubling);
    EXPECT_FALSE(window->gSetPriority);
    EXPECT_EQ(window->gPriorityIndex, 2);
    EXPECT_EQ(window->size(), size);
}

// A failed write leaves the old file whole and says why.
TEST_F(SettingsFile, FailedSaveKeepsTheOldFile)
{
    File().SaveParameter(*window);
    const QByteArray before = Read(QStringLiteral("TolcoreShell.xml"));
    ASSERT_FALSE(before.isEmpty());

    // Under a regular file nothing can be created.
    Write(QStringLiteral("plain"), "x");
    EXPECT_THROW(ClsSaveLoad(env.Path(QStringLiteral("plain"))).SaveParameter(*window), NumberedError);

    // A write that fails half-way (the file size limit) leaves the file as it was.
    window->gAskDelete = false;
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 64;
    setrlimit(RLIMIT_FSIZE, &small);
    bool threw = false;
    try {
        File().SaveParameter(*window);
    } catch (const NumberedError &) {
        threw = true;
    }
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_TRUE(threw);
    EXPECT_EQ(Read(QStringLiteral("TolcoreShell.xml")), before);
}

// A parameter holds either text or children; asking for a missing one gives a wrapper that
// fails when used.
TEST(ClsSaveLoadXMLHelper, ValueRules)
{
    ClsSaveLoadXMLHelper root;
    root.CreateTopParameter(QStringLiteral("Root"));
    ClsSaveLoadXMLHelper leaf = root.AddChildParameter(QStringLiteral("Leaf"));
    EXPECT_EQ(leaf.Value(), QString());
    leaf.setValue(QStringLiteral("one"));
    leaf.setValue(QStringLiteral("two"));
    EXPECT_EQ(root.ChildParameter(QStringLiteral("Leaf")).Value(), QStringLiteral("two"));
    EXPECT_EQ(leaf.ParentNode().Name(), QStringLiteral("Root"));
    EXPECT_EQ(root.Value(), QString());
    try {
        root.setValue(QStringLiteral("text"));
        ADD_FAILURE() << "a parent took a value";
    } catch (const NumberedError &e) {
        EXPECT_EQ(e.Number(), qint32(0x80040003u));
        EXPECT_EQ(e.Description(), QStringLiteral("一つのノードは子ノードを持つかデータを持つかどちらも持たないかのどちらかです"));
    }
    const ClsSaveLoadXMLHelper none = root.ChildParameter(QStringLiteral("Missing"));
    EXPECT_FALSE(none.IsSet());
    EXPECT_THROW(none.Value(), NumberedError);

    // The element is set once; later sets are ignored.
    QDomDocument other;
    leaf.setXMLNode(other.createElement(QStringLiteral("Else")));
    EXPECT_EQ(leaf.Name(), QStringLiteral("Leaf"));
}

}  // namespace
