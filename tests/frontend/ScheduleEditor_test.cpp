// The schedule editor: one schedule, several at once and the defaults, its questions, the
// fields it writes, and a person making a schedule that survives a restart.

#include "tests/frontend/DialogFixture.h"

#include <QComboBox>
#include <QDir>
#include <QDomDocument>
#include <QFile>
#include <QInputMethodEvent>
#include <QSlider>
#include <QTest>

using namespace tolvane;
using namespace tolvane::test;
using Answer = IQuestioner::Answer;

namespace {

// Japanese text arrives the way an input method hands it over.
void Commit(QWidget &field, const QString &text)
{
    QInputMethodEvent event;
    event.setCommitString(text);
    QCoreApplication::sendEvent(&field, &event);
}

// A click on a check box's mark.
void Tick(QWidget &box)
{
    QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(6, box.height() / 2));
}

class ScheduleEditor : public DialogFixture {
protected:
    const QString kEditor = QStringLiteral("FrmDialogSchedule");
    const QString kSeveral = QStringLiteral("複数のスケジュールの設定が変更されます。よろしいですか？");
    const QString kDuplicate = QStringLiteral("重複するスケジュール名が存在しますが、よろしいですか?");
    const QString kTooBig = QStringLiteral("waveファイルのサイズが約2GBに達する、または超えます。"
                                           "このままの場合録音時に自動分割します。このままでよろしいですか?");

    // The text of one element of the first stored schedule in "schedule.xml".
    QString Stored(const QString &path) const
    {
        QFile file(env.Path(QStringLiteral("schedule.xml")));
        if (!file.open(QIODevice::ReadOnly))
            return QStringLiteral("(no schedule.xml)");
        QDomDocument doc;
        doc.setContent(&file);
        QDomElement e = doc.documentElement().firstChildElement(QStringLiteral("Schedules"))
                            .firstChildElement(QStringLiteral("Schedule"));
        for (const QString &name : path.split(u'/'))
            e = e.firstChildElement(name);
        return e.isNull() ? QStringLiteral("(missing %1)").arg(path) : e.text();
    }
};

// A person creates a schedule with the mouse and keyboard: name, days, start, duration, MP3 VBR
// with a tag; saves; and finds it again, in the list and in the file, after a restart.
TEST_F(ScheduleEditor, PersonsScheduleSurvivesRestart)
{
    Open();
    C().gSelectEndTimeSetter = EndTimeSetter::RecTime;
    host->On(kEditor, [&](QDialog &d) {
        QTest::keyClick(&Get(d, "TName"), Qt::Key_A, Qt::ControlModifier);
        Commit(Get(d, "TName"), QStringLiteral("深夜ラジオ"));
        QTest::mouseClick(&Get(d, "CChangeDays"), Qt::LeftButton);
        Get<QTimeEdit>(d, "DTPStart").setTime(QTime(23, 30, 0));
        Get<QTimeEdit>(d, "DTPEnd").setTime(QTime(1, 15, 0));
        QTest::mouseClick(&Get(d, "CChangeFormatSetting0"), Qt::LeftButton);
        QTest::mouseClick(&Get(d, "OKButton"), Qt::LeftButton);
    });
    host->On(QStringLiteral("FrmDialogDays"), [](QDialog &d) {
        Tick(Get(d, "Chkday1"));
        Tick(Get(d, "Chkday5"));
        QTest::mouseClick(&Get(d, "OKButton"), Qt::LeftButton);
    });
    host->On(QStringLiteral("FrmDialogWaveSetting"), [](QDialog &d) {
        Tick(Get(d, "ChkAutoEncode"));
        QTest::mouseClick(&Get(d, "CMP3Setting"), Qt::LeftButton);
        QTest::mouseClick(&Get(d, "OKButton"), Qt::LeftButton);
    });
    host->On(QStringLiteral("FrmDialogGOGOSetting"), [](QDialog &d) {
        Tick(Get(d, "ChkVBR"));
        Get<QSlider>(d, "SldVBRQuality").setValue(4);
        Tick(Get(d, "ChkMakeID3Tag"));
        QTest::mouseClick(&Get(d, "CSetTag"), Qt::LeftButton);
        QTest::mouseClick(&Get(d, "OKButton"), Qt::LeftButton);
    });
    host->On(QStringLiteral("DialogSetTag"), [](QDialog &d) {
        QTest::keyClick(&Get(d, "TArtist"), Qt::Key_A, Qt::ControlModifier);
        Commit(Get(d, "TArtist"), QStringLiteral("放送局"));
        Get<QComboBox>(d, "CmbGenre").setCurrentIndex(146);
        QTest::mouseClick(&Get(d, "OKButton"), Qt::LeftButton);
    });
    Click("Cnew");
    ASSERT_EQ(List()->topLevelItemCount(), 1);
    Click("CSave");
    ASSERT_FALSE(window->NeedSave()) << Notice().toStdString();

    window.reset();
    Open();
    ASSERT_EQ(List()->topLevelItemCount(), 1);
    const QTreeWidgetItem *row = List()->topLevelItem(0);
    EXPECT_EQ(row->text(0), QStringLiteral("深夜ラジオ"));
    EXPECT_EQ(row->text(1), QStringLiteral("月金"));
    EXPECT_EQ(row->text(2), QStringLiteral("23:30:00"));
    EXPECT_EQ(row->text(3), QStringLiteral("00:45:00"));
    EXPECT_EQ(row->text(5), QStringLiteral("MP3VBR4WAVE形式16bit44100Hz2Ch"));

    EXPECT_EQ(Stored(QStringLiteral("ScheduleName")), QStringLiteral("深夜ラジオ"));
    EXPECT_EQ(Stored(QStringLiteral("StartTime")), QStringLiteral("23:30:00"));
    EXPECT_EQ(Stored(QStringLiteral("EndTime")), QStringLiteral("00:45:00"));
    EXPECT_EQ(Stored(QStringLiteral("DaySetting/Monday")), QStringLiteral("1"));
    EXPECT_EQ(Stored(QStringLiteral("DaySetting/Friday")), QStringLiteral("1"));
    EXPECT_EQ(Stored(QStringLiteral("DaySetting/Sunday")), QStringLiteral("0"));
    EXPECT_EQ(Stored(QStringLiteral("WaveSetting/MP3Setting/VBR")), QStringLiteral("True"));
    EXPECT_EQ(Stored(QStringLiteral("WaveSetting/MP3Setting/VBRQuality")), QStringLiteral("4"));
    EXPECT_EQ(Stored(QStringLiteral("WaveSetting/MP3Setting/MakeID3Tag")), QStringLiteral("True"));
    EXPECT_EQ(Stored(QStringLiteral("WaveSetting/MP3Setting/Artist")), QStringLiteral("放送局"));
    EXPECT_EQ(Stored(QStringLiteral("WaveSetting/MP3Setting/GenreNo")), QStringLiteral("146"));
    EXPECT_EQ(Stored(QStringLiteral("WaveSetting/MP3Setting/Title")), QStringLiteral("\\N"));
}

// Three schedules edited together: only the days are changed, identically for all three; the
// names and times cannot be touched and keep their values; no duplicate-name question.
TEST_F(ScheduleEditor, SeveralSchedulesGetTheSameDaysAndKeepTheRest)
{
    Open();
    const auto a = Made(QStringLiteral("A"), QTime(6, 0, 0), QTime(6, 30, 0));
    const auto b = Made(QStringLiteral("B"), QTime(7, 0, 0), QTime(8, 0, 0));
    const auto c = Made(QStringLiteral("A"), QTime(22, 0, 0), QTime(23, 0, 0));
    a->setStartDay(0, 1);
    b->setStartDay(3, 1);
    questions->asked.clear();

    host->On(kEditor, [&](QDialog &d) {
        EXPECT_FALSE(Enabled(d, "TName"));
        EXPECT_TRUE(Get<QLineEdit>(d, "TName").text().isEmpty());
        EXPECT_FALSE(Enabled(d, "DTPStart"));
        EXPECT_FALSE(Enabled(d, "DTPEnd"));
        EXPECT_EQ(TimeText(d, "DTPStart"), QStringLiteral("00:00:00"));
        // No to the question cancels the button; Yes opens the days on the first schedule.
        questions->answers = {Answer::No};
        Press(d, "CChangeDays");
        Press(d, "CChangeDays");
        Press(d, "OKButton");
    });
    host->On(QStringLiteral("FrmDialogDays"), [](QDialog &d) {
        EXPECT_TRUE(Checked(d, "Chkday0"));
        Check(d, "Chkday0", false);
        Check(d, "Chkday2", true);
        Check(d, "Chkday4", true);
        Press(d, "OKButton");
    });
    Select({0, 1, 2});
    Click("CChange");

    const QString daysQuestion = QStringLiteral("複数のスケジュールの録音曜日が変更されます。よろしいですか?");
    EXPECT_EQ(questions->asked, QStringList({daysQuestion, daysQuestion, kSeveral}));
    const std::shared_ptr<ClsSchedule> all[] = {a, b, c};
    const char *const names[] = {"A", "B", "A"};
    const char *const starts[] = {"06:00:00", "07:00:00", "22:00:00"};
    const char *const ends[] = {"06:30:00", "08:00:00", "23:00:00"};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(all[i]->Name(), QLatin1String(names[i]));
        EXPECT_EQ(all[i]->StartTime(), QLatin1String(starts[i]));
        EXPECT_EQ(all[i]->EndTime(), QLatin1String(ends[i]));
        for (int day = 0; day < 7; ++day)
            EXPECT_EQ(all[i]->StartDay(day), day == 2 || day == 4 ? 1 : 0) << i << " " << day;
    }
    EXPECT_EQ(List()->topLevelItem(1)->text(1), QStringLiteral("火木"));
}

// In duration mode the picker shows the length of a recording across midnight, and a length
// from a start before midnight stores the end after it; moving only the start keeps the length.
TEST_F(ScheduleEditor, DurationAcrossMidnight)
{
    Open();
    C().gSelectEndTimeSetter = EndTimeSetter::RecTime;
    host->On(kEditor, [&](QDialog &d) {
        EXPECT_TRUE(Checked(d, "OptEndTime1"));
        Type(d, "TName", QStringLiteral("N"));
        SetTime(d, "DTPStart", 23, 30, 0);
        SetTime(d, "DTPEnd", 1, 0, 0);
        Press(d, "OKButton");
    });
    Click("Cnew");
    const auto s = C().Schedule(QStringLiteral("ID0"));
    EXPECT_EQ(s->StartTime(), QStringLiteral("23:30:00"));
    EXPECT_EQ(s->EndTime(), QStringLiteral("00:30:00"));

    host->On(kEditor, [&](QDialog &d) {
        EXPECT_EQ(TimeText(d, "DTPEnd"), QStringLiteral("01:00:00"));
        SetTime(d, "DTPStart", 22, 45, 0);
        Press(d, "OKButton");
    });
    Select({0});
    Click("CChange");
    EXPECT_EQ(s->StartTime(), QStringLiteral("22:45:00"));
    EXPECT_EQ(s->EndTime(), QStringLiteral("23:45:00"));

    // Switching to the end time shows the same end, and an end before the start wraps round.
    host->On(kEditor, [&](QDialog &d) {
        Press(d, "OptEndTime0");
        EXPECT_EQ(TimeText(d, "DTPEnd"), QStringLiteral("23:45:00"));
        SetTime(d, "DTPEnd", 0, 15, 0);
        Press(d, "OKButton");
    });
    Click("CChange");
    EXPECT_EQ(s->EndTime(), QStringLiteral("00:15:00"));
}

// 16-bit stereo at 44100 Hz is 176,400 bytes a second: 3 h 9 min passes 2,000,000,000 bytes and
// is asked about, 3 h 8 min is not; No keeps the dialog open with nothing stored.
TEST_F(ScheduleEditor, TwoGigabyteQuestion)
{
    Open();
    C().gSelectEndTimeSetter = EndTimeSetter::RecTime;
    host->On(kEditor, [&](QDialog &d) {
        SetTime(d, "DTPStart", 20, 0, 0);
        SetTime(d, "DTPEnd", 3, 9, 0);
        questions->answers = {Answer::No};
        Press(d, "OKButton");
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(questions->asked, QStringList({kTooBig}));
        SetTime(d, "DTPEnd", 3, 8, 0);
        Press(d, "OKButton");
    });
    Click("Cnew");
    EXPECT_EQ(questions->asked, QStringList({kTooBig}));
    EXPECT_EQ(C().Schedule(QStringLiteral("ID0"))->EndTime(), QStringLiteral("23:08:00"));

    // In end-time mode the length runs from the start round midnight: 20:00 to 23:09 asks.
    C().gSelectEndTimeSetter = EndTimeSetter::EndTime;
    questions->asked.clear();
    host->On(kEditor, [&](QDialog &d) {
        SetTime(d, "DTPEnd", 23, 9, 0);
        Press(d, "OKButton");
    });
    Select({0});
    Click("CChange");
    EXPECT_EQ(questions->asked, QStringList({kTooBig}));
}

// WAVE chosen for an MP3 schedule keeps it MP3; chosen for a Windows Media one makes it WAVE.
TEST_F(ScheduleEditor, WaveChoiceKeepsMp3)
{
    Open();
    ASSERT_TRUE(C().UseWME);
    const auto mp3 = Made(QStringLiteral("M"), QTime(1, 0, 0), QTime(2, 0, 0));
    mp3->setRecordingFormat(FormatType::MP3);
    const auto wm = Made(QStringLiteral("W"), QTime(3, 0, 0), QTime(4, 0, 0));
    wm->setRecordingFormat(FormatType::windowsmedia);
    const auto chooseWave = [&](QDialog &d) {
        Press(d, "OptFormat1");
        Press(d, "OptFormat0");
        EXPECT_TRUE(Enabled(d, "CChangeFormatSetting0"));
        EXPECT_FALSE(Enabled(d, "CChangeFormatSetting1"));
        Press(d, "OKButton");
    };
    host->On(kEditor, chooseWave);
    Select({0});
    Click("CChange");
    EXPECT_EQ(mp3->RecordingFormat(), FormatType::MP3);
    host->On(kEditor, [&](QDialog &d) {
        EXPECT_TRUE(Checked(d, "OptFormat1"));
        chooseWave(d);
    });
    Select({1});
    Click("CChange");
    EXPECT_EQ(wm->RecordingFormat(), FormatType::wave);
}

// Shutting down forces quitting the program; hibernating clears and locks shutting down; the
// three are stored as one choice.
TEST_F(ScheduleEditor, PowerChoices)
{
    Open();
    host->On(kEditor, [&](QDialog &d) {
        Press(d, "ChkExitWindows");
        EXPECT_TRUE(Checked(d, "ChkExitTV"));
        EXPECT_FALSE(Enabled(d, "ChkExitTV"));
        Press(d, "OKButton");
    });
    Click("Cnew");
    const auto s = C().Schedule(QStringLiteral("ID0"));
    EXPECT_TRUE(s->ExitTV());
    EXPECT_TRUE(s->ExitWindows());
    EXPECT_FALSE(s->Hibernate());

    host->On(kEditor, [&](QDialog &d) {
        EXPECT_TRUE(Checked(d, "ChkExitWindows"));
        Press(d, "ChkHibernate");
        EXPECT_FALSE(Checked(d, "ChkExitWindows"));
        EXPECT_FALSE(Enabled(d, "ChkExitWindows"));
        EXPECT_TRUE(Enabled(d, "ChkExitTV"));
        Press(d, "ChkExitTV");
        Press(d, "OKButton");
    });
    Select({0});
    Click("CChange");
    EXPECT_FALSE(s->ExitTV());
    EXPECT_FALSE(s->ExitWindows());
    EXPECT_TRUE(s->Hibernate());
}

// A name already in the list is asked about, except for the row being edited; No keeps the
// dialog open; a new schedule is compared with every row, and the switch turns it off.
TEST_F(ScheduleEditor, DuplicateNameQuestion)
{
    Open();
    Made(QStringLiteral("A"), QTime(1, 0, 0), QTime(2, 0, 0));
    const auto b = Made(QStringLiteral("B"), QTime(3, 0, 0), QTime(4, 0, 0));
    questions->asked.clear();

    host->On(kEditor, [&](QDialog &d) { Press(d, "OKButton"); });
    Select({0});
    Click("CChange");
    EXPECT_TRUE(questions->asked.isEmpty());

    host->On(kEditor, [&](QDialog &d) {
        Type(d, "TName", QStringLiteral("A"));
        questions->answers = {Answer::No};
        Press(d, "OKButton");
        EXPECT_TRUE(d.isVisible());
        Press(d, "CancelButton");
    });
    Select({1});
    Click("CChange");
    EXPECT_EQ(questions->asked, QStringList({kDuplicate}));
    EXPECT_EQ(b->Name(), QStringLiteral("B"));

    // The selected row is "A" itself, and a new "A" still duplicates it.
    host->On(kEditor, [&](QDialog &d) {
        Type(d, "TName", QStringLiteral("A"));
        Press(d, "OKButton");
    });
    Select({0});
    Click("Cnew");
    EXPECT_EQ(questions->asked, QStringList({kDuplicate, kDuplicate}));
    EXPECT_EQ(C().nSchedules(), 3);

    window->gAskDoubling = false;
    host->On(kEditor, [&](QDialog &d) {
        Type(d, "TName", QStringLiteral("B"));
        Press(d, "OKButton");
    });
    Click("Cnew");
    EXPECT_EQ(questions->asked.size(), 2);
}

// Cancel leaves everything as it was, also after sub-dialogs confirmed their part; a cancelled
// sub-dialog changes none of several schedules; the close box counts as Cancel.
TEST_F(ScheduleEditor, CancelLeavesSchedulesUntouched)
{
    Open();
    const auto a = Made(QStringLiteral("A"), QTime(1, 0, 0), QTime(2, 0, 0));
    const auto b = Made(QStringLiteral("B"), QTime(3, 0, 0), QTime(4, 0, 0));
    b->setStartDay(6, 1);
    host->On(kEditor, [&](QDialog &d) {
        Press(d, "CChangeDays");
        Press(d, "CChangeFileName");
        Press(d, "ChkValid");
        Press(d, "CancelButton");
    });
    host->On(QStringLiteral("FrmDialogDays"), [](QDialog &d) {
        Check(d, "Chkday3", true);
        Press(d, "OKButton");
    });
    host->On(QStringLiteral("FrmDialogSetFileName"), [](QDialog &d) {
        Type(d, "TFileName", QStringLiteral("\\N"));
        Press(d, "OKButton");
    });
    Select({0, 1});
    Click("CChange");
    EXPECT_EQ(a->StartDay(3), 0);
    EXPECT_EQ(b->StartDay(3), 0);
    EXPECT_EQ(a->FileName(), QStringLiteral("\\N_\\Y\\M\\D\\h\\m\\s"));
    EXPECT_TRUE(a->Valid());

    host->On(kEditor, [&](QDialog &d) {
        Press(d, "CChangeDays");
        Press(d, "OKButton");
    });
    host->On(QStringLiteral("FrmDialogDays"), [](QDialog &d) {
        Check(d, "Chkday2", true);
        Press(d, "CancelButton");
    });
    Click("CChange");
    EXPECT_EQ(b->StartDay(6), 1);
    EXPECT_EQ(b->StartDay(2), 0);
    EXPECT_EQ(a->StartDay(6), 0);

    const auto defaults = C().DefaultSchedule();
    host->On(kEditor, [&](QDialog &d) {
        Press(d, "CChangeDays");
        d.close();
    });
    host->On(QStringLiteral("FrmDialogDays"), [](QDialog &d) {
        Check(d, "Chkday1", true);
        Press(d, "OKButton");
    });
    Click("CChangeDefault");
    EXPECT_EQ(defaults->StartDay(1), 0);
}

// The default schedule: name and times locked, its folder becomes the default folder. "Back to
// the defaults" takes the default's days and format but keeps name, times and hibernation.
TEST_F(ScheduleEditor, DefaultsAndBackToDefaults)
{
    Open();
    const QString folder = env.Path(QStringLiteral("recordings"));
    QDir().mkpath(folder);
    host->On(kEditor, [&](QDialog &d) {
        for (const char *locked : {"TName", "DTPStart", "DTPEnd", "DTPStartDelay", "DTPEndDelay"})
            EXPECT_FALSE(Enabled(d, locked)) << locked;
        Press(d, "CChangePath");
        EXPECT_EQ(Get<QLabel>(d, "LSavePath").text(), folder + u'/');
        Press(d, "CChangeDays");
        Press(d, "OKButton");
    });
    host->On(QStringLiteral("DialogSavePath"), [&](QDialog &d) {
        QTreeWidget &tree = Get<QTreeWidget>(d, "DirSavePath");
        QTreeWidgetItem *here = tree.currentItem();
        for (int i = 0; i < here->childCount(); ++i) {
            if (here->child(i)->text(0) == QStringLiteral("recordings"))
                tree.setCurrentItem(here->child(i));
        }
        Press(d, "OKButton");
    });
    host->On(QStringLiteral("FrmDialogDays"), [](QDialog &d) {
        Check(d, "Chkday6", true);
        Press(d, "OKButton");
    });
    Click("CChangeDefault");
    EXPECT_TRUE(window->NeedSave());
    const auto defaults = C().DefaultSchedule();
    EXPECT_EQ(defaults->StartDay(6), 1);
    EXPECT_EQ(defaults->SavePath(), folder + u'/');
    EXPECT_EQ(C().DefaultSavePath(), folder + u'/');

    defaults->setRecordingFormat(FormatType::MP3);
    defaults->setHibernate(false);
    const auto s = Made(QStringLiteral("X"), QTime(5, 0, 0), QTime(6, 0, 0));
    s->setHibernate(true);
    s->setStartDay(6, 0);
    s->setStartDay(1, 1);
    host->On(kEditor, [&](QDialog &d) {
        Press(d, "CGetDefault");
        EXPECT_EQ(Get<QLabel>(d, "LDays").text(), QStringLiteral("土"));
        EXPECT_TRUE(Checked(d, "ChkHibernate"));
        Press(d, "OKButton");
    });
    Select({0});
    Click("CChange");
    EXPECT_EQ(s->StartDay(6), 1);
    EXPECT_EQ(s->StartDay(1), 0);
    EXPECT_EQ(s->RecordingFormat(), FormatType::MP3);
    EXPECT_EQ(s->Name(), QStringLiteral("X"));
    EXPECT_EQ(s->StartTime(), QStringLiteral("05:00:00"));
    EXPECT_TRUE(s->Hibernate());
}

}  // namespace
