#include "tests/support/TestServices.h"
#include "tools/header_repair/Form1.h"

#include <QApplication>
#include <QDropEvent>
#include <QFile>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QUrl>

#include <gtest/gtest.h>

using namespace tolvane;
using tolvane::test::TestEnv;

namespace {

// The window with its questions answered by the test and its messages recorded.
class Form1Test : public ::testing::Test {
protected:
    Form1Test()
    {
        QFile f(env.Path("a.wav"));
        f.open(QIODevice::WriteOnly);
        QByteArray header("RIFF\0\0\0\0WAVEfmt \x10\0\0\0", 20);
        f.write(header + QByteArray(24, '\0') + QByteArray(1000, '\x05'));
    }

    QString Label(const char *name) const { return form.findChild<QLabel *>(name)->text(); }
    QPushButton *Command1() const { return form.findChild<QPushButton *>("Command1"); }

    void Drop(const QStringList &paths)
    {
        auto *mime = new QMimeData;
        QList<QUrl> urls;
        for (const QString &p : paths)
            urls << QUrl::fromLocalFile(p);
        mime->setUrls(urls);
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&form, &enter);
        dropAccepted = enter.isAccepted();
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&form, &drop);
        delete mime;
    }

    TestEnv env;
    bool answer = false;
    bool dropAccepted = false;
    QStringList questions, messages;
    Form1 form{Form1::Dialogs{[this](QWidget *, const QString &q) {
                                  questions << q;
                                  return answer;
                              },
                              [this](QWidget *, const QString &m) { messages << m; }}};
};

}  // namespace

// The window shows its captions; nothing can be written before a file is dropped.
TEST_F(Form1Test, Captions)
{
    EXPECT_EQ(form.windowTitle(), "ヘッダ書き込み");
    EXPECT_EQ(Label("Label1"), "フルパス");
    EXPECT_EQ(Label("Label4"), "");
    EXPECT_EQ(Label("Label2"), "ヘッダを書き込みたいファイルをドロップして下さい。");
    EXPECT_EQ(Label("Label3"), "エクスプローラでファイルを選択中だと書き込めないことがあるのでドロップした後他の"
                               "Waveファイルを選択しておいて下さい。");
    EXPECT_EQ(Command1()->text(), "書き込み");
    EXPECT_FALSE(Command1()->isEnabled());
    EXPECT_TRUE(form.acceptDrops());
}

// Of several dropped files the first is shown.
TEST_F(Form1Test, DropShowsTheFirstFile)
{
    Drop({env.Path("a.wav"), env.Path("b.wav")});
    EXPECT_TRUE(dropAccepted);
    EXPECT_EQ(Label("Label4"), env.Path("a.wav"));
    EXPECT_TRUE(Command1()->isEnabled());
}

// Cancel in the confirmation leaves the file untouched; OK writes it and says so.
TEST_F(Form1Test, WritesOnlyAfterConfirmation)
{
    const QString path = env.Path("a.wav");
    Drop({path});
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray before = f.readAll();
    f.close();

    Command1()->click();
    EXPECT_EQ(questions, QStringList{path + "の内容を書き換えます。よろしいですか?"});
    EXPECT_TRUE(messages.isEmpty());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), before);
    f.close();

    answer = true;
    Command1()->click();
    EXPECT_EQ(messages, QStringList{"書き込みました"});
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray after = f.readAll();
    EXPECT_EQ(after.mid(4, 4), QByteArray("\x0c\x04\0\0", 4));  // 1036
    EXPECT_EQ(after.mid(36, 8), QByteArray("data\xe8\x03\0\0", 8));  // 1000
}
