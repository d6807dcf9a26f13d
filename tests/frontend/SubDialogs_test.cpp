// The editor's small dialogs: the file-name template, the programs to run, the save folder and
// new folders, the end time of a running recording, and the manual recording's settings.

#include "core/schedule/ScheduleChecks.h"
#include "frontend/DialogSavePath.h"
#include "frontend/FrmDialogChangeEndTime.h"
#include "frontend/FrmDialogChangeExecuteFile.h"
#include "frontend/FrmDialogNewFolder.h"
#include "frontend/FrmDialogRec.h"
#include "frontend/FrmDialogSetFileName.h"
#include "tests/frontend/DialogFixture.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QTreeWidget>

using namespace tolvane;
using namespace tolvane::test;

namespace {

class SubDialogs : public DialogFixture {
protected:
    void SetUp() override
    {
        Open();
        schedule = C().CreateNewSchedule();
    }

    QString MakeFile(const QString &name) const
    {
        QFile f(env.Path(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        return f.fileName();
    }

    std::shared_ptr<ClsSchedule> schedule;
};

// Which templates are file names: the seven backslash codes and three slash codes only, none of
// the forbidden characters, no lone "\" or "/" anywhere, a trailing one included.
TEST_F(SubDialogs, FileNameTemplates)
{
    const struct {
        const char *text;
        bool valid;
    } cases[] = {
        {"\\N_\\M月/D日", true}, {"\\Y\\M\\D\\h\\m\\s", true}, {"/Y/M/D", true}, {"plain name", true},
        {"", true},              {"\\N\\", false},            {"\\x", false},   {"\\d", false},
        {"/h", false},           {"a/", false},               {"a:b", false},   {"a?b", false},
        {"a*b", false},          {"a;b", false},              {"a,b", false},   {"a<b>", false},
        {"a|b", false},          {"a\"b", false},             {"\\\\N", false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ScheduleChecks::IsValidFileNameTemplate(QString::fromUtf8(c.text)), c.valid) << c.text;
}

// A refused template keeps the dialog open with the warning; a good one is stored with the
// day-change time.
TEST_F(SubDialogs, FileNameDialog)
{
    host->On(QStringLiteral("FrmDialogSetFileName"), [&](QDialog &d) {
        Type(d, "TFileName", QStringLiteral("\\N:\\Y"));
        Press(d, "OKButton");
        EXPECT_TRUE(d.isVisible());
        ASSERT_EQ(questions->informed.size(), 1);
        EXPECT_EQ(questions->informed[0], QStringLiteral("/\\は日付/時刻表示書式指定文字の1文字目としてのみ使用可能です。"
                                                         ":,;*?\"<>|は使用不可能です。"));
        Type(d, "TFileName", QStringLiteral("\\N_/M月/D日"));
        SetTime(d, "DTPTimeDayStart", 4, 0, 0);
        Press(d, "OKButton");
    });
    FrmDialogSetFileName dialog(Context(), window.get());
    const auto result = dialog.ChangeFileName(*schedule);
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(result->FileName(), QStringLiteral("\\N_/M月/D日"));
    EXPECT_EQ(result->TimeDayStart(), Seconds(4 * 3600));
}

// Before the recording: 0, -1 and letters are refused as seconds, 30 is taken with the chosen
// program. After the recording the seconds are locked and only the program is stored.
TEST_F(SubDialogs, ProgramsToRun)
{
    const QString program = MakeFile(QStringLiteral("before.sh"));
    host->files = {program};
    host->On(QStringLiteral("FrmDialogChangeExecuteFile"), [&](QDialog &d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("録音前ファイル実行設定"));
        Press(d, "CSelectFile");
        EXPECT_EQ(Get<QLineEdit>(d, "TFilePath").text(), program);
        for (const char *refused : {"0", "-1", "abc", "1.5"}) {
            Type(d, "TBeforeSeconds", QLatin1String(refused));
            Press(d, "OKButton");
            EXPECT_TRUE(d.isVisible()) << refused;
        }
        EXPECT_EQ(questions->informed.size(), 4);
        EXPECT_EQ(questions->informed.value(0), QStringLiteral("秒数は正の整数でなければなりません"));
        Type(d, "TBeforeSeconds", QStringLiteral("30"));
        Press(d, "OKButton");
    });
    FrmDialogChangeExecuteFile before(Context(), window.get());
    before.setWindowTitle(QStringLiteral("録音前ファイル実行設定"));
    auto result = before.ChangeExecuteFile(*schedule, true);
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(result->BeforeExecutePath(), program);
    EXPECT_EQ(result->BeforeExecuteSeconds(), 30);

    const QString after = MakeFile(QStringLiteral("after.sh"));
    host->On(QStringLiteral("FrmDialogChangeExecuteFile"), [&](QDialog &d) {
        EXPECT_FALSE(Enabled(d, "TBeforeSeconds"));
        Type(d, "TBeforeSeconds", QStringLiteral("x"));
        Type(d, "TFilePath", after);
        Press(d, "OKButton");
    });
    FrmDialogChangeExecuteFile afterDialog(Context(), window.get());
    result = afterDialog.ChangeExecuteFile(*schedule, false);
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(result->AfterExecutePath(), after);
    EXPECT_EQ(result->BeforeExecuteSeconds(), 0);
}

// The folder dialog opens at the old folder and returns it with a trailing "/"; a new folder is
// made in the current one and opened; a name that walks elsewhere or a parent that is a file is
// refused with the system's words.
TEST_F(SubDialogs, SaveFolderAndNewFolder)
{
    const QString base = env.Path(QStringLiteral("base"));
    QDir().mkpath(base);
    host->On(QStringLiteral("DialogSavePath"), [&](QDialog &d) { Press(d, "OKButton"); });
    DialogSavePath same(Context(), window.get());
    EXPECT_EQ(same.GetSavePath(base), base + u'/');

    host->On(QStringLiteral("DialogSavePath"), [&](QDialog &d) {
        Press(d, "CNewFolder");
        EXPECT_EQ(Get<QTreeWidget>(d, "DirSavePath").currentItem()->text(0), QStringLiteral("録音"));
        Press(d, "OKButton");
    });
    host->On(QStringLiteral("FrmDialogNewFolder"), [&](QDialog &d) {
        for (const char *refused : {"../escape", "", ".."}) {
            Type(d, "TNewFolderName", QString::fromUtf8(refused));
            Press(d, "OKButton");
            EXPECT_TRUE(d.isVisible()) << refused;
        }
        Type(d, "TNewFolderName", QStringLiteral("録音"));
        Press(d, "OKButton");
    });
    DialogSavePath withNew(Context(), window.get());
    EXPECT_EQ(withNew.GetSavePath(base), base + QStringLiteral("/録音/"));
    EXPECT_TRUE(QFileInfo(base + QStringLiteral("/録音")).isDir());
    EXPECT_FALSE(QFileInfo::exists(env.Path(QStringLiteral("escape"))));
    EXPECT_EQ(questions->informed.size(), 3);

    questions->informed.clear();
    const QString file = MakeFile(QStringLiteral("plain"));
    host->On(QStringLiteral("FrmDialogNewFolder"), [&](QDialog &d) {
        Type(d, "TNewFolderName", QStringLiteral("inside"));
        Press(d, "OKButton");
        EXPECT_TRUE(d.isVisible());
        Press(d, "CancelButton");
    });
    FrmDialogNewFolder underFile(Context(), window.get());
    EXPECT_EQ(underFile.MakeNewFolder(file), QString());
    ASSERT_EQ(questions->informed.size(), 1);
    EXPECT_EQ(questions->informed[0], QString::fromLocal8Bit(std::make_error_code(std::errc::not_a_directory).message()));

    host->On(QStringLiteral("DialogSavePath"), [&](QDialog &d) { Press(d, "CancelButton"); });
    DialogSavePath cancelled(Context(), window.get());
    EXPECT_EQ(cancelled.GetSavePath(base), std::nullopt);
}

// The kinds of file systems, as the drive list names them.
TEST_F(SubDialogs, DriveTypes)
{
    EXPECT_EQ(DialogSavePath::DriveType("tmpfs", "tmpfs"), 5);
    EXPECT_EQ(DialogSavePath::DriveType("nfs4", "server:/export"), 3);
    EXPECT_EQ(DialogSavePath::DriveType("cifs", "//server/share"), 3);
    EXPECT_EQ(DialogSavePath::DriveType("iso9660", "/dev/sr0"), 4);
    EXPECT_EQ(DialogSavePath::DriveType("ext4", "/dev/no-such-disk"), 2);
    EXPECT_EQ(DialogSavePath::DriveType("overlay", "overlay"), 2);
    EXPECT_EQ(DialogSavePath::DriveType("fuse.unknown", "somewhere"), 0);
    EXPECT_EQ(DialogSavePath::DriveTypeName(5), QStringLiteral("RAM ディスク"));
    EXPECT_EQ(DialogSavePath::DriveTypeName(2), QStringLiteral("ハード ディスク"));
}

// The drive list holds the places a user saves to: the home folder first, then the machine's
// disks, removable and network ones; never the system's own mounts, memory or read-only ones.
TEST_F(SubDialogs, SavePlaces)
{
    const struct {
        const char *type, *device, *root;
        bool readOnly, offered;
    } mounts[] = {
        {"ext4", "/dev/no-such-disk", "/", false, true},
        {"overlay", "overlay", "/", false, true},
        {"btrfs", "/dev/no-such-disk", "/home", false, true},
        {"vfat", "/dev/no-such-stick", "/media/user/STICK", false, true},
        {"exfat", "/dev/no-such-stick", "/run/media/user/STICK", false, true},
        {"nfs4", "server:/export", "/mnt/nas", false, true},
        {"cifs", "//server/share", "/mnt/share", false, true},
        {"vfat", "/dev/no-such-disk", "/boot/efi", false, false},
        {"ext4", "/dev/no-such-disk", "/boot", false, false},
        {"tmpfs", "tmpfs", "/run", false, false},
        {"tmpfs", "tmpfs", "/run/user/1000", false, false},
        {"ext4", "/dev/no-such-disk", "/run/something", false, false},
        {"tmpfs", "tmpfs", "/tmp", false, false},
        {"squashfs", "/dev/loop3", "/snap/core22/1380", true, false},
        {"squashfs", "/dev/loop4", "/mnt/image", false, false},
        {"proc", "proc", "/proc", false, false},
        {"devtmpfs", "devtmpfs", "/dev", false, false},
        {"ext4", "/dev/no-such-disk", "/mnt/data", true, false},
        {"iso9660", "/dev/sr0", "/media/user/CD", true, false},
        {"fuse.portal", "portal", "/mnt/portal", false, false},
    };
    for (const auto &m : mounts)
        EXPECT_EQ(DialogSavePath::IsSavePlace(m.type, m.device, QString::fromLatin1(m.root), m.readOnly), m.offered)
            << m.type << " " << m.root;

    host->On(QStringLiteral("DialogSavePath"), [&](QDialog &d) {
        const QComboBox &drives = Get<QComboBox>(d, "DriveSavePath");
        ASSERT_GT(drives.count(), 0);
        EXPECT_TRUE(drives.itemText(0).contains(QDir::homePath()));
        for (int i = 1; i < drives.count(); ++i) {
            for (const char *system : {"/proc", "/sys", "/dev", "/run/user"})
                EXPECT_FALSE(drives.itemText(i).startsWith(QLatin1String(system))) << drives.itemText(i).toStdString();
        }
        Press(d, "CancelButton");
    });
    DialogSavePath dialog(Context(), window.get());
    EXPECT_EQ(dialog.GetSavePath(QDir::homePath()), std::nullopt);
}

// In duration mode the end-time dialog opens at the time left and returns now plus the chosen
// length; in end-time mode it shows and returns the end itself; Cancel returns nothing.
TEST_F(SubDialogs, EndTimeOfTheRunningRecording)
{
    env.clock->Set(At(23, 50, 0));
    C().gSelectEndTimeSetter = EndTimeSetter::RecTime;
    host->On(QStringLiteral("FrmDialogChangeEndTime"), [&](QDialog &d) {
        EXPECT_TRUE(Checked(d, "OptEndTimeSetter1"));
        EXPECT_EQ(TimeText(d, "DTPEnd"), QStringLiteral("00:30:00"));
        SetTime(d, "DTPEnd", 1, 0, 0);
        env.clock->Set(At(23, 51, 0));
        Press(d, "OKButton");
    });
    FrmDialogChangeEndTime duration(Context(), window.get());
    EXPECT_EQ(duration.ChangeEndTime(Seconds(20 * 60)), Seconds(51 * 60));

    C().gSelectEndTimeSetter = EndTimeSetter::EndTime;
    host->On(QStringLiteral("FrmDialogChangeEndTime"), [&](QDialog &d) {
        EXPECT_EQ(TimeText(d, "DTPEnd"), QStringLiteral("00:20:00"));
        Press(d, "OptEndTimeSetter1");
        EXPECT_EQ(TimeText(d, "DTPEnd"), QStringLiteral("00:29:00"));
        Press(d, "OptEndTimeSetter0");
        SetTime(d, "DTPEnd", 2, 0, 0);
        Press(d, "OKButton");
    });
    FrmDialogChangeEndTime endTime(Context(), window.get());
    EXPECT_EQ(endTime.ChangeEndTime(Seconds(20 * 60)), Seconds(2 * 3600));

    host->On(QStringLiteral("FrmDialogChangeEndTime"), [&](QDialog &d) { Press(d, "CancelButton"); });
    FrmDialogChangeEndTime cancelled(Context(), window.get());
    EXPECT_EQ(cancelled.ChangeEndTime(Seconds(20 * 60)), std::nullopt);
}

// The manual recording: Windows Media locks the silence boxes and is stored; WAVE keeps an MP3
// default MP3 and takes the silence boxes; the recording starts with what was chosen.
TEST_F(SubDialogs, ManualRecording)
{
    ASSERT_TRUE(C().UseWME);
    C().DefaultSchedule()->setRecordingFormat(FormatType::MP3);
    host->On(QStringLiteral("FrmDialogRec"), [&](QDialog &d) {
        EXPECT_TRUE(Checked(d, "OptFormat0"));
        EXPECT_FALSE(Enabled(d, "CChangeFormatSetting1"));
        Press(d, "OptFormat1");
        EXPECT_FALSE(Enabled(d, "ChkStartNoSound"));
        EXPECT_FALSE(Enabled(d, "ChkEndNoSound"));
        EXPECT_FALSE(Enabled(d, "CChangeFormatSetting0"));
        EXPECT_TRUE(Enabled(d, "CChangeFormatSetting1"));
        Press(d, "OKButton");
    });
    FrmDialogRec wm(Context(), window.get());
    auto result = wm.SetManualRecord(*C().DefaultSchedule());
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(result->RecordingFormat(), FormatType::windowsmedia);

    host->On(QStringLiteral("FrmDialogRec"), [&](QDialog &d) {
        Check(d, "ChkEndNoSound", true);
        Press(d, "OKButton");
    });
    Click("CRec");
    ASSERT_NE(C().CapturingSchedule(), nullptr);
    EXPECT_EQ(C().CapturingSchedule()->RecordingFormat(), FormatType::MP3);
    EXPECT_TRUE(C().CapturingSchedule()->WaveSetting()->ENSValid());
    EXPECT_FALSE(C().DefaultSchedule()->WaveSetting()->ENSValid());
    EXPECT_EQ(C().Status(), tolvane::Status::ManualWave);
    Click("CRecEnd");
}

}  // namespace
