// The main window's schedule commands, its shut-down questions, errors shown without blocking,
// and the notification-area icon, driven through the real widgets.

#include "core/platform/FreedesktopNotifier.h"
#include "tests/frontend/WindowFixture.h"
#include "tests/support/PrivateSessionBus.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QMessageBox>
#include <QTest>

using namespace tolvane;
using namespace tolvane::test;
using Answer = IQuestioner::Answer;

namespace {

class MainWindow : public WindowFixture {};

// With an empty list the editing buttons are off (the folder button stays as it was); a new
// schedule turns all four selection buttons on.
TEST_F(MainWindow, EmptyListButtonsAndNew)
{
    Open();
    EXPECT_EQ(List()->topLevelItemCount(), 0);
    EXPECT_FALSE(Button("CChange")->isEnabled());
    EXPECT_FALSE(Button("CDelete")->isEnabled());
    EXPECT_FALSE(Button("CCopy")->isEnabled());
    EXPECT_TRUE(Button("COpenFolder")->isEnabled());
    EXPECT_FALSE(window->NeedSave());

    dialogs->newName = QStringLiteral("朝のニュース");
    Click("Cnew");
    ASSERT_EQ(List()->topLevelItemCount(), 1);
    EXPECT_EQ(List()->topLevelItem(0)->text(0), QStringLiteral("朝のニュース"));
    EXPECT_EQ(C().Schedule(QStringLiteral("ID0"))->Name(), QStringLiteral("朝のニュース"));
    for (const char *b : {"CChange", "CDelete", "CCopy", "COpenFolder"})
        EXPECT_TRUE(Button(b)->isEnabled()) << b;
    EXPECT_TRUE(window->NeedSave());

    // A cancelled editor adds nothing.
    dialogs->confirm = false;
    Click("Cnew");
    EXPECT_EQ(List()->topLevelItemCount(), 1);
    EXPECT_EQ(C().nSchedules(), 1);
}

// Saved schedules come back at the next start in file order, keyed ID0, ID1, ..., with every
// selection button on; the save also wrote the window's settings.
TEST_F(MainWindow, StartShowsStoredSchedules)
{
    Open();
    AddSchedule(QStringLiteral("A"));
    AddSchedule(QStringLiteral("B"));
    window->resize(777, 555);
    Click("CSave");
    ASSERT_FALSE(window->NeedSave()) << Notice().toStdString();

    Open();
    EXPECT_EQ(RowNames(), QStringList({"A", "B"}));
    EXPECT_EQ(List()->topLevelItem(1)->data(0, Qt::UserRole).toString(), QStringLiteral("ID1"));
    EXPECT_EQ(C().Schedule(QStringLiteral("ID1"))->Name(), QStringLiteral("B"));
    for (const char *b : {"CChange", "CDelete", "CCopy", "COpenFolder"})
        EXPECT_TRUE(Button(b)->isEnabled()) << b;
    EXPECT_EQ(window->size(), QSize(777, 555));
}

// Without dialogs the commands that need one are off, whatever the status says.
TEST_F(MainWindow, CommandsNeedingDialogsStayOffWithoutThem)
{
    parts.dialogs = nullptr;
    Open();
    for (const char *b : {"Cnew", "CChange", "CChangeDefault", "CRec", "CChangeEndTime", "CChangeOptions"})
        EXPECT_FALSE(Button(b)->isEnabled()) << b;
    EXPECT_TRUE(Button("CMonitor")->isEnabled());
    EXPECT_TRUE(Button("CSave")->isEnabled());
    C().StartOnTimeCapture(C().CreateNewSchedule());
    EXPECT_FALSE(Button("CChangeEndTime")->isEnabled());
    EXPECT_TRUE(Button("CRecEnd")->isEnabled());
}

// Each deletion is asked by name; No ends the whole command, leaving later rows alone.
TEST_F(MainWindow, DeleteAsksAndNoStopsTheCommand)
{
    Open();
    AddSchedule(QStringLiteral("A"));
    AddSchedule(QStringLiteral("B"));
    AddSchedule(QStringLiteral("C"));
    Select({0, 1, 2});
    questions->answers = {Answer::Yes, Answer::No, Answer::Yes};
    Click("CDelete");
    EXPECT_EQ(questions->asked, QStringList({QStringLiteral("Aを削除しますか？"), QStringLiteral("Bを削除しますか？")}));
    EXPECT_EQ(RowNames(), QStringList({"B", "C"}));
    EXPECT_EQ(C().nSchedules(), 2);
    EXPECT_TRUE(window->NeedSave());

}

// No to the first question deletes nothing and leaves the unsaved flag as it was.
TEST_F(MainWindow, DeleteAnsweredNoAtOnceKeepsEverything)
{
    Open();
    AddSchedule(QStringLiteral("A"));
    AddSchedule(QStringLiteral("B"));
    Select({0, 1});
    questions->answers = {Answer::No};
    Click("CDelete");
    EXPECT_EQ(questions->asked.size(), 1);
    EXPECT_EQ(C().nSchedules(), 2);
    EXPECT_EQ(RowNames(), QStringList({"A", "B"}));
}

// Deleting the last row selects the new last row; deleting the only row turns the selection
// buttons off; with AskDelete off nothing is asked; the Delete key is the same command.
TEST_F(MainWindow, DeleteSelectsTheNextRow)
{
    Open();
    window->gAskDelete = false;
    AddSchedule(QStringLiteral("A"));
    AddSchedule(QStringLiteral("B"));
    AddSchedule(QStringLiteral("C"));
    Select({2});
    Click("CDelete");
    EXPECT_EQ(RowNames(), QStringList({"A", "B"}));
    EXPECT_TRUE(List()->topLevelItem(1)->isSelected());
    EXPECT_FALSE(List()->topLevelItem(0)->isSelected());

    Select({0});
    QTest::keyClick(List(), Qt::Key_Delete);
    EXPECT_EQ(RowNames(), QStringList({"B"}));
    EXPECT_TRUE(List()->topLevelItem(0)->isSelected());

    Click("CDelete");
    EXPECT_EQ(List()->topLevelItemCount(), 0);
    for (const char *b : {"CChange", "CDelete", "CCopy", "COpenFolder"})
        EXPECT_FALSE(Button(b)->isEnabled()) << b;
    EXPECT_TRUE(questions->asked.isEmpty());
}

// Copy adds a copy of each selected schedule under a new key, without a dialog.
TEST_F(MainWindow, CopyAddsCopies)
{
    Open();
    AddSchedule(QStringLiteral("A"), QStringLiteral("06:00:00"), QStringLiteral("06:30:00"));
    AddSchedule(QStringLiteral("B"));
    AddSchedule(QStringLiteral("C"));
    Select({0, 2});
    Click("CCopy");
    EXPECT_EQ(RowNames(), QStringList({"A", "B", "C", "A", "C"}));
    EXPECT_EQ(List()->topLevelItem(3)->data(0, Qt::UserRole).toString(), QStringLiteral("ID3"));
    const auto copy = C().Schedule(QStringLiteral("ID3"));
    EXPECT_NE(copy, C().Schedule(QStringLiteral("ID0")));
    EXPECT_EQ(copy->StartTime(), QStringLiteral("06:00:00"));
    EXPECT_EQ(dialogs->editorCalls, 0);
    EXPECT_TRUE(window->NeedSave());
}

// With rows but no selection, the selection commands do nothing at all.
TEST_F(MainWindow, SelectionCommandsWithoutSelectionDoNothing)
{
    Open();
    AddSchedule(QStringLiteral("A"));
    List()->clearSelection();
    for (const char *b : {"CChange", "CCopy", "CDelete", "COpenFolder"})
        Click(b);
    EXPECT_EQ(C().nSchedules(), 1);
    EXPECT_EQ(dialogs->editorCalls, 0);
    EXPECT_TRUE(questions->asked.isEmpty());
    EXPECT_TRUE(env.shell->started.empty());
}

// Edit works on copies and writes them back only on OK; a cancelled edit does not forget
// earlier unsaved changes (the schedules added here are unsaved). Enter in the list is the
// same command.
TEST_F(MainWindow, EditWritesBackOnOkOnly)
{
    Open();
    const QString a = AddSchedule(QStringLiteral("A"));
    AddSchedule(QStringLiteral("B"));
    Select({0, 1});
    dialogs->confirm = false;
    Click("CChange");
    EXPECT_EQ(dialogs->editedCount, 2u);
    EXPECT_EQ(C().Schedule(a)->Name(), QStringLiteral("A"));
    EXPECT_TRUE(window->NeedSave());

    dialogs->confirm = true;
    QTest::keyClick(List(), Qt::Key_Return);
    EXPECT_EQ(RowNames(), QStringList({"Edited", "Edited"}));
    EXPECT_EQ(C().Schedule(a)->Name(), QStringLiteral("Edited"));
    EXPECT_EQ(dialogs->editorCalls, 2);
}

// Open folder hands each schedule's folder (or the default one) to the shell; a refusal is shown.
TEST_F(MainWindow, OpenFolderUsesTheShell)
{
    Open();
    const QString own = env.Path(QStringLiteral("own"));
    AddSchedule(QStringLiteral("A"));
    C().Schedule(QStringLiteral("ID0"))->setSavePath(own);
    AddSchedule(QStringLiteral("B"));
    C().Schedule(QStringLiteral("ID1"))->setSavePath(QString());
    Select({0, 1});
    env.shell->refusedPath = C().DefaultSavePath();
    Click("COpenFolder");
    ASSERT_EQ(env.shell->started.size(), 2u);
    EXPECT_EQ(env.shell->started[0], own);
    EXPECT_EQ(env.shell->started[1], C().DefaultSavePath());
    EXPECT_TRUE(Notice().contains(QStringLiteral("を開けませんでした")));
}

// Each of the three questions before quitting can keep the window; then nothing is released.
TEST_F(MainWindow, ShutDownQuestionsEachCancel)
{
    Open();
    int unloaded = 0;
    QObject::connect(window.get(), &Frmmain::Unloaded, [&] { ++unloaded; });
    const QString recording = QStringLiteral("現在録音中です。このウィンドウを閉じると録音を終了しますがよろしいですか?");
    const QString encoding = QStringLiteral("現在MP3へのエンコードが完了していないスケジュールがあります。"
                                            "このウィンドウを閉じるとエンコードは強制終了されますがよろしいですか?");
    const QString save = QStringLiteral("設定が変更されている可能性があります。保存しますか?");

    // An MP3 recording: stopping it leaves an encode pending.
    auto s = C().CreateNewSchedule();
    s->setRecordingFormat(FormatType::MP3);
    C().StartOnTimeCapture(s);
    AddSchedule(QStringLiteral("A"));
    Select({0});
    Click("CCopy");  // something unsaved
    window->show();

    questions->answers = {Answer::No};
    EXPECT_FALSE(window->close());
    EXPECT_EQ(questions->asked, QStringList({recording}));
    EXPECT_EQ(C().Status(), Status::ManualWave);

    questions->answers = {Answer::Yes, Answer::No};
    EXPECT_FALSE(window->close());
    EXPECT_EQ(questions->asked.mid(1), QStringList({recording, encoding}));
    EXPECT_EQ(C().Status(), Status::Idle);
    EXPECT_TRUE(C().WaitForGOGO());

    questions->asked.clear();
    questions->answers = {Answer::Yes, Answer::Cancel};
    Click("CEnd");
    EXPECT_EQ(questions->asked, QStringList({encoding, save}));
    EXPECT_NE(window->Controller(), nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(unloaded, 0);

    // No to saving goes on and lets everything go.
    questions->answers = {Answer::Yes, Answer::No};
    EXPECT_TRUE(window->close());
    EXPECT_EQ(window->Controller(), nullptr);
    EXPECT_EQ(unloaded, 1);
}

// Closing during a timetable recording and answering No keeps the recording going.
TEST_F(MainWindow, CloseDuringRecordingAnsweredNoKeepsRecording)
{
    Open();
    AddSchedule(QStringLiteral("A"));
    TickAt(At(7, 0, 0));
    ASSERT_EQ(C().Status(), Status::PresetWave);
    window->show();
    questions->answers = {Answer::No};
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(C().Status(), Status::PresetWave);
    EXPECT_EQ(env.capture->Last().stopCalls, 0);
    env.capture->Last().Deliver16(std::vector<qint16>(44100 * 2, 100));
    EXPECT_EQ(env.capture->Last().written16, 44100 * 2);
}

// The core asking to quit after a recording runs the same questions; a kept window cancels it.
TEST_F(MainWindow, QuitRequestFromTheCoreFollowsTheQuestions)
{
    Open();
    AddSchedule(QStringLiteral("A"));
    Select({0});
    Click("CCopy");
    auto s = C().CreateNewSchedule();
    s->setExitTV(true);
    C().StartOnTimeCapture(s);
    questions->answers = {Answer::Cancel};
    Click("CRecEnd");
    Settle();
    ASSERT_NE(window->Controller(), nullptr);
    EXPECT_EQ(C().Status(), Status::Idle);

    int unloaded = 0;
    QObject::connect(window.get(), &Frmmain::Unloaded, [&] { ++unloaded; });
    C().StartOnTimeCapture(s);
    questions->answers = {Answer::No};
    Click("CRecEnd");
    Settle();
    EXPECT_EQ(window->Controller(), nullptr);
    EXPECT_EQ(unloaded, 1);
}

// An error is shown with its time on a line of its own, and logged; no box is opened. The
// status line beside it goes on: the countdown moves, and Idle says so. The error stays until
// the user has seen it or a later message takes its place.
TEST_F(MainWindow, ErrorsAreShownBesideTheStatus)
{
    Open();
    C().gMakeLog = true;
    env.capture->nextFailure = FakePipeline::FailAt::SetParameter;
    C().StartOnTimeCapture(C().CreateNewSchedule());
    EXPECT_EQ(C().Status(), Status::ManualWave);
    EXPECT_TRUE(Notice().startsWith(QStringLiteral("2024/03/04 6:59:00  エラーが発生しました。エラー番号は75です。")))
        << Notice().toStdString();
    EXPECT_EQ(Info(), QStringLiteral("現在手動録音中終了時刻未設定"));
    EXPECT_EQ(window->Tray().ToolTipText(), Info());
    for (QWidget *w : QApplication::topLevelWidgets())
        EXPECT_EQ(qobject_cast<QMessageBox *>(w), nullptr);
    Click("CRecEnd");
    EXPECT_EQ(Info(), QStringLiteral("待機中"));
    EXPECT_TRUE(Notice().contains(QStringLiteral("エラー番号は75です。")));

    // An error during a timetable recording leaves the countdown running.
    env.capture->nextFailure = FakePipeline::FailAt::Never;
    AddSchedule(QStringLiteral("A"), QStringLiteral("07:00:00"), QStringLiteral("07:00:30"));
    TickAt(At(7, 0, 0));
    ASSERT_EQ(C().Status(), Status::PresetWave);
    env.clock->Set(At(7, 0, 10));
    emit C().OnError(NumberedError(ErrNo::DiskFull, QStringLiteral("満杯"), QStringLiteral("test")));
    EXPECT_EQ(Notice(), QStringLiteral("2024/03/04 7:00:10  エラーが発生しました。エラー番号は61です。満杯"));
    env.clock->Set(At(7, 0, 20));
    env.capture->Last().Deliver16(std::vector<qint16>(200, 5));
    EXPECT_EQ(Info(), QStringLiteral("現在予約録音中7:00:30まで(残り0:00:10)"));

    Click("CNoticeSeen");
    EXPECT_EQ(Notice(), QString());

    QFile log(env.Path(QStringLiteral("rec.log")));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QString logged = QString::fromUtf8(log.readAll());
    EXPECT_TRUE(logged.contains(QStringLiteral("Error 2024/03/04 6:59:00エラーが発生しました")));
    EXPECT_TRUE(logged.contains(QStringLiteral("エラー番号は61です。満杯")));
}

// The disk-space warning raised while a recording is prepared is still there once the recording
// runs, with its time; the week's estimate before it has been replaced by it.
TEST_F(MainWindow, WarningWhilePreparingStaysVisible)
{
    Open();
    env.freeBytes = 1000;
    AddSchedule(QStringLiteral("朝"), QStringLiteral("07:00:00"), QStringLiteral("07:00:30"));
    EXPECT_TRUE(Notice().contains(QStringLiteral("の空き容量が不足する見込みです。"))) << Notice().toStdString();
    TickAt(At(7, 0, 0));
    ASSERT_EQ(C().Status(), Status::PresetWave);
    EXPECT_TRUE(Notice().startsWith(QStringLiteral("2024/03/04 7:00:00  朝 の録音には約"))) << Notice().toStdString();
    EXPECT_TRUE(Info().startsWith(QStringLiteral("現在予約録音中")));
    Click("CRecEnd");
    EXPECT_TRUE(Notice().contains(QStringLiteral("朝 の録音には約")));
}

// On a desktop without a notification area the window sends errors as desktop notifications:
// one failed recording, one notification, marked critical and from this program.
TEST_F(MainWindow, ErrorsBecomeDesktopNotificationsWithoutATray)
{
    PrivateSessionBus bus;
    ASSERT_TRUE(bus.Running()) << bus.Error().toStdString();
    StandInNotifications desktop(bus);
    ASSERT_TRUE(desktop.Registered());
    env.services->desktopNotifier = std::make_shared<FreedesktopNotifier>(bus.Connect("window"));
    Open();
    window->Tray().setHostCheck([] { return false; });

    env.capture->nextFailure = FakePipeline::FailAt::SetParameter;
    C().StartOnTimeCapture(C().CreateNewSchedule());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !desktop.received.empty(); }, 5000));
    QTest::qWait(300);  // time for a second one, which must not come
    ASSERT_EQ(desktop.received.size(), 1u);
    const StandInNotifications::Notification &n = desktop.received.front();
    EXPECT_EQ(n.appName, "Tolvane");
    EXPECT_EQ(n.icon, "tolvane");
    EXPECT_EQ(n.summary, "Tolvane");
    EXPECT_TRUE(Find<QLabel>("LNotice")->text().endsWith(n.body)) << Find<QLabel>("LNotice")->text().toStdString();
    EXPECT_TRUE(n.body.startsWith(QStringLiteral("エラーが発生しました。エラー番号は75です。"))) << n.body.toStdString();
    EXPECT_EQ(n.hints.value("urgency").toInt(), 2);
}

// The core's own messages open a box that does not wait for an answer.
TEST_F(MainWindow, CoreMessagesDoNotBlock)
{
    Open();
    env.services->notifier->ShowMessage(QStringLiteral("保存フォルダを設定しました。"), MessageIcon::Warning, {});
    QMessageBox *box = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (auto *b = qobject_cast<QMessageBox *>(w); b && b->text() == QStringLiteral("保存フォルダを設定しました。"))
            box = b;
    }
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->isVisible());
    EXPECT_FALSE(box->isModal());
    box->close();
}

// Saving writes the window's settings; a failure keeps the changes counted as unsaved, and
// the schedules are still handed to the controller's save.
TEST_F(MainWindow, SaveClearsTheFlagOnlyWhenEverythingWasWritten)
{
    Open();
    AddSchedule(QStringLiteral("A"));
    Select({0});
    Click("CCopy");
    // A folder where the settings file should be: it cannot be written.
    QDir(env.dir.path()).mkdir(QStringLiteral("TolcoreShell.xml"));
    int controllerErrors = 0;
    QObject::connect(&C(), &ClsController::OnError, [&] { ++controllerErrors; });
    Click("CSave");
    EXPECT_TRUE(window->NeedSave());
    EXPECT_TRUE(Notice().contains(QStringLiteral("エラーが発生しました")));

    QDir(env.dir.path()).rmdir(QStringLiteral("TolcoreShell.xml"));
    controllerErrors = 0;
    Click("CSave");
    EXPECT_TRUE(QFile::exists(env.Path(QStringLiteral("TolcoreShell.xml"))));
    EXPECT_EQ(window->NeedSave(), controllerErrors == 1) << "cleared only when the schedules were saved too";
}

// Yes to saving on the way out quits only when the save went through: a window settings file
// or a schedule file that cannot be written keeps the window open with its edits and the error.
TEST_F(MainWindow, FailedSaveOnExitKeepsTheWindow)
{
    Open();
    AddSchedule(QStringLiteral("A"));
    window->show();
    int unloaded = 0;
    QObject::connect(window.get(), &Frmmain::Unloaded, [&] { ++unloaded; });
    for (const QString &blocked : {QStringLiteral("TolcoreShell.xml"), QStringLiteral("schedule.xml")}) {
        // A folder where the file should be (the other file may have been written): it cannot be
        // replaced.
        QFile::remove(env.Path(blocked));
        ASSERT_TRUE(QDir(env.dir.path()).mkdir(blocked));
        questions->asked.clear();
        questions->answers = {Answer::Yes};
        EXPECT_FALSE(window->close()) << blocked.toStdString();
        EXPECT_EQ(questions->asked, QStringList({QStringLiteral("設定が変更されている可能性があります。保存しますか?")}));
        EXPECT_TRUE(window->isVisible());
        EXPECT_NE(window->Controller(), nullptr);
        EXPECT_TRUE(window->NeedSave());
        EXPECT_TRUE(Notice().contains(QStringLiteral("エラーが発生しました"))) << blocked.toStdString();
        EXPECT_EQ(unloaded, 0);
        ASSERT_TRUE(QDir(env.dir.path()).rmdir(blocked));
        Click("CNoticeSeen");
    }

    questions->answers = {Answer::Yes};
    EXPECT_TRUE(window->close());
    EXPECT_EQ(unloaded, 1);
    EXPECT_TRUE(QFileInfo(env.Path(QStringLiteral("schedule.xml"))).isFile());
}

// The version box names both parts.
TEST_F(MainWindow, VersionBox)
{
    Open();
    Click("CVersion");
    ASSERT_EQ(questions->informed.size(), 1);
    EXPECT_EQ(questions->informed[0], QStringLiteral("TolcoreS:" TOLVANE_FRONTEND_VERSION "\nTolvane:") + C().GetVersion());
}

// Header clicks sort by that column in ascending text order; the keys stay with their rows.
TEST_F(MainWindow, HeaderClickSorts)
{
    Open();
    AddSchedule(QStringLiteral("B"), QStringLiteral("05:00:00"));
    AddSchedule(QStringLiteral("C"), QStringLiteral("04:00:00"));
    AddSchedule(QStringLiteral("A"), QStringLiteral("06:00:00"));
    emit List()->header()->sectionClicked(2);
    EXPECT_EQ(RowNames(), QStringList({"C", "B", "A"}));
    emit List()->header()->sectionClicked(0);
    EXPECT_EQ(RowNames(), QStringList({"A", "B", "C"}));
    EXPECT_EQ(List()->topLevelItem(0)->data(0, Qt::UserRole).toString(), QStringLiteral("ID2"));
}

// Minimised, the window lives behind its icon and a click brings it back; without a
// notification area it stays an ordinary minimised window.
TEST_F(MainWindow, MinimiseToTray)
{
    Open();
    window->show();
    window->Tray().setHostCheck([] { return false; });
    window->showMinimized();
    QCoreApplication::processEvents();
    EXPECT_FALSE(window->Tray().Visible());
    EXPECT_TRUE(window->isVisible());

    window->showNormal();
    window->Tray().setHostCheck([] { return true; });
    window->showMinimized();
    QCoreApplication::processEvents();
    EXPECT_TRUE(window->Tray().Visible());
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->Tray().ToolTipText(), QStringLiteral("Tolvane待機中"));

    window->Tray().Activated(QSystemTrayIcon::Trigger);
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(window->isMinimized());
    EXPECT_FALSE(window->Tray().Visible());
}

}  // namespace
