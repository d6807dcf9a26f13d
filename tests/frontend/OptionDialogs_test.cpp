// The options dialog (what it applies, in which order, and its loop over the buffer length) and
// the source device dialog over a fake mixer tree.

#include "frontend/FrmDialogSourceDevice.h"
#include "tests/frontend/DialogFixture.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSpinBox>

using namespace tolvane;
using namespace tolvane::test;

namespace {

class OptionDialogs : public DialogFixture {
protected:
    const QString kBufferWarning = QStringLiteral("録音時のバッファの長さには正の整数を入力してください。");

    std::shared_ptr<ClsSchedule> SourceDevice(const ClsSchedule &s)
    {
        FrmDialogSourceDevice dialog(Context(), window.get());
        return dialog.ChangeSourceDevice(s);
    }
};

// Letters as the buffer length: the warning, and the dialog again with everything before the
// buffer length already applied; the second round's number is taken. OK marks the settings as
// unsaved, so that quitting offers to save them; Cancel does not.
TEST_F(OptionDialogs, BufferLengthLoop)
{
    Open();
    host->On(QStringLiteral("FrmDialogOption"), [&](QDialog &d) {
        EXPECT_EQ(Get<QLineEdit>(d, "TBufferlength").text(), QStringLiteral("1"));
        Check(d, "ChkMakeLog", true);
        Check(d, "ChkSelectEndTimeSetter", true);
        Check(d, "ChkAlertDelete", false);
        Type(d, "TTimeServer", QStringLiteral("ntp.example"));
        Type(d, "TBufferlength", QStringLiteral("abc"));
        Press(d, "OKButton");
    });
    host->On(QStringLiteral("FrmDialogOption"), [&](QDialog &d) {
        EXPECT_TRUE(C().gMakeLog);
        EXPECT_EQ(C().gSelectEndTimeSetter, EndTimeSetter::RecTime);
        EXPECT_FALSE(window->gAskDelete);
        EXPECT_EQ(C().gSetTimeServer, QStringLiteral("ntp.example"));
        EXPECT_EQ(questions->informed, QStringList({kBufferWarning}));
        EXPECT_EQ(Get<QLineEdit>(d, "TBufferlength").text(), QStringLiteral("abc"));
        Type(d, "TBufferlength", QStringLiteral("0"));
        Press(d, "OKButton");
    });
    host->On(QStringLiteral("FrmDialogOption"), [&](QDialog &d) {
        Type(d, "TBufferlength", QStringLiteral("5"));
        Press(d, "OKButton");
    });
    Click("CChangeOptions");
    EXPECT_EQ(questions->informed, QStringList({kBufferWarning, kBufferWarning}));
    EXPECT_EQ(C().BufferLength(), 5);
    EXPECT_TRUE(window->NeedSave());

    // Cancel applies nothing.
    window->setNeedSave(false);
    host->On(QStringLiteral("FrmDialogOption"), [&](QDialog &d) {
        Check(d, "ChkMakeLog", false);
        Type(d, "TBufferlength", QStringLiteral("9"));
        Press(d, "CancelButton");
    });
    Click("CChangeOptions");
    EXPECT_TRUE(C().gMakeLog);
    EXPECT_EQ(C().BufferLength(), 5);
    EXPECT_FALSE(window->NeedSave());
}

// The clock and priority boxes switch what belongs to them; an unchecked priority box stores
// false and leaves the chosen index as it was.
TEST_F(OptionDialogs, ClockAndPriority)
{
    Open();
    window->gSetPriority = true;
    window->gPriorityIndex = 3;
    host->On(QStringLiteral("FrmDialogOption"), [&](QDialog &d) {
        EXPECT_FALSE(Enabled(d, "ChkSetTimeOnAppStart"));
        EXPECT_FALSE(Enabled(d, "TTimeServer"));
        EXPECT_FALSE(Enabled(d, "DTPSetTimeTime"));
        Check(d, "ChkSetTime", true);
        EXPECT_TRUE(Enabled(d, "ChkSetTimeOnAppStart"));
        EXPECT_TRUE(Enabled(d, "TTimeServer"));
        EXPECT_FALSE(Enabled(d, "DTPSetTimeTime"));
        Check(d, "ChkSetTimeOnPresetTime", true);
        EXPECT_TRUE(Enabled(d, "DTPSetTimeTime"));
        SetTime(d, "DTPSetTimeTime", 4, 5, 6);
        EXPECT_EQ(Get<QComboBox>(d, "CmbPriority").currentIndex(), 3);
        Get<QComboBox>(d, "CmbPriority").setCurrentIndex(0);
        Check(d, "ChkPriority", false);
        EXPECT_FALSE(Enabled(d, "CmbPriority"));
        Press(d, "OKButton");
    });
    Click("CChangeOptions");
    EXPECT_TRUE(C().gSetTime);
    EXPECT_TRUE(C().gSetTimeOnPresetTime);
    EXPECT_EQ(C().gSetTimeTime, QStringLiteral("04:05:06"));
    EXPECT_FALSE(window->gSetPriority);
    EXPECT_EQ(window->gPriorityIndex, 3);
}

// The unattended options: the wake-up box switches its lead time, each control shows and
// stores its option, and the wake alarm follows at once. A stored lead that is not whole
// minutes survives OK as long as the minutes box is left alone.
TEST_F(OptionDialogs, WakeAndMissedStart)
{
    Open();
    auto daily = C().CreateNewSchedule();
    daily->setStartTime(QStringLiteral("08:00:00"));
    daily->setEndTime(QStringLiteral("08:10:00"));
    for (int d = 0; d < 7; ++d)
        daily->setStartDay(d, 1);
    C().AddSchedule2List(daily);
    C().gWakeLeadSeconds = 90;
    host->On(QStringLiteral("FrmDialogOption"), [&](QDialog &d) {
        EXPECT_FALSE(Checked(d, "ChkWakeFromSuspend"));
        EXPECT_FALSE(Checked(d, "ChkStartMissedRecordings"));
        EXPECT_FALSE(Enabled(d, "TWakeLeadMinutes"));
        EXPECT_EQ(Get<QSpinBox>(d, "TWakeLeadMinutes").value(), 2);
        Check(d, "ChkWakeFromSuspend", true);
        EXPECT_TRUE(Enabled(d, "TWakeLeadMinutes"));
        Check(d, "ChkStartMissedRecordings", true);
        Press(d, "OKButton");
    });
    Click("CChangeOptions");
    EXPECT_TRUE(C().gWakeFromSuspend);
    EXPECT_TRUE(C().gStartMissedRecordings);
    EXPECT_EQ(C().gWakeLeadSeconds, 90);
    EXPECT_EQ(env.wakeAlarm->armed, At(7, 58, 30));

    host->On(QStringLiteral("FrmDialogOption"), [&](QDialog &d) {
        EXPECT_TRUE(Checked(d, "ChkWakeFromSuspend"));
        EXPECT_TRUE(Checked(d, "ChkStartMissedRecordings"));
        Get<QSpinBox>(d, "TWakeLeadMinutes").setValue(5);
        Check(d, "ChkStartMissedRecordings", false);
        Press(d, "OKButton");
    });
    Click("CChangeOptions");
    EXPECT_EQ(C().gWakeLeadSeconds, 300);
    EXPECT_FALSE(C().gStartMissedRecordings);
    EXPECT_EQ(env.wakeAlarm->armed, At(7, 55, 0));

    host->On(QStringLiteral("FrmDialogOption"), [&](QDialog &d) {
        Check(d, "ChkWakeFromSuspend", false);
        Press(d, "OKButton");
    });
    Click("CChangeOptions");
    EXPECT_FALSE(C().gWakeFromSuspend);
    EXPECT_EQ(env.wakeAlarm->armed, std::nullopt);
}

// The devices and the items of the first one's recording selector are listed; the chosen line
// is stored; a device without a selector says so in the dialog, without a box, and stores no
// line.
TEST_F(OptionDialogs, SourceDeviceChoice)
{
    env.mixer->deviceWithoutSelector = true;
    Open();
    const auto schedule = C().CreateNewSchedule();
    schedule->setUseSystemSourceDevice(false);
    schedule->setSourceLineIndex(1);
    host->On(QStringLiteral("FrmDialogSourceDevice"), [&](QDialog &d) {
        QListWidget &devices = Get<QListWidget>(d, "ListDevice");
        QListWidget &lines = Get<QListWidget>(d, "ListLine");
        ASSERT_EQ(devices.count(), 2);
        EXPECT_EQ(devices.item(1)->text(), QStringLiteral("Plain card"));
        ASSERT_EQ(lines.count(), 4);
        EXPECT_EQ(lines.item(2)->text(), QStringLiteral("CD"));
        EXPECT_EQ(lines.currentRow(), 1);
        EXPECT_EQ(Get<QLabel>(d, "LLineState").text(), QString());
        lines.setCurrentRow(2);
        Press(d, "OKButton");
    });
    auto result = SourceDevice(*schedule);
    ASSERT_NE(result, nullptr);
    EXPECT_FALSE(result->UseSystemSourceDevice());
    EXPECT_EQ(result->DeviceID(), 0);
    EXPECT_EQ(result->SourceLineIndex(), 2);

    host->On(QStringLiteral("FrmDialogSourceDevice"), [&](QDialog &d) {
        Get<QListWidget>(d, "ListDevice").setCurrentRow(1);
        EXPECT_EQ(Get<QLabel>(d, "LLineState").text(), QStringLiteral("指定デバイス上に入力ラインが見つかりません。"));
        EXPECT_EQ(Get<QListWidget>(d, "ListLine").count(), 0);
        EXPECT_FALSE(Enabled(d, "ListLine"));
        Press(d, "OKButton");
    });
    result = SourceDevice(*schedule);
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(result->DeviceID(), 1);
    EXPECT_EQ(result->SourceLineIndex(), -1);

    // Opening on that device, with the system's input ticked, shows the same and asks nothing.
    result->setUseSystemSourceDevice(true);
    host->On(QStringLiteral("FrmDialogSourceDevice"), [&](QDialog &d) {
        EXPECT_EQ(Get<QListWidget>(d, "ListDevice").currentRow(), 1);
        EXPECT_EQ(Get<QLabel>(d, "LLineState").text(), QStringLiteral("指定デバイス上に入力ラインが見つかりません。"));
        Press(d, "OKButton");
    });
    ASSERT_NE(SourceDevice(*result), nullptr);
    EXPECT_TRUE(questions->informed.isEmpty());
}

// A source of the sound server is kept by its name, and found by it when its place in the list
// has moved; a stream takes the place of any device, and an address that is no stream's is
// refused with the dialog left open. Choosing a device again gives the stream up.
TEST_F(OptionDialogs, ServerSourceAndStreamChoice)
{
    env.mixer->deviceWithoutSelector = true;
    env.soundDevices = {{QStringLiteral("Fake card"), {}}, {QStringLiteral("Plain card"), QStringLiteral("plain.monitor")}};
    Open();
    const auto schedule = C().CreateNewSchedule();
    schedule->setUseSystemSourceDevice(false);
    schedule->setDeviceID(0);
    schedule->setServerSource(QStringLiteral("plain.monitor"));
    const QString kUrl = QStringLiteral("https://radio.example/live.mp3");
    host->On(QStringLiteral("FrmDialogSourceDevice"), [&](QDialog &d) {
        EXPECT_EQ(Get<QListWidget>(d, "ListDevice").currentRow(), 1);
        EXPECT_TRUE(Checked(d, "OptSourceDevice"));
        EXPECT_FALSE(Enabled(d, "TStreamURL"));
        Check(d, "OptSourceStream", true);
        EXPECT_FALSE(Enabled(d, "ListDevice"));
        EXPECT_FALSE(Enabled(d, "ChkSourceDevice"));
        EXPECT_TRUE(Enabled(d, "CTestStream"));
        Type(d, "TStreamURL", QStringLiteral("file:///etc/passwd"));
        Press(d, "OKButton");
        EXPECT_TRUE(d.isVisible());
        Type(d, "TStreamURL", kUrl);
        Press(d, "OKButton");
    });
    auto result = SourceDevice(*schedule);
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(questions->informed,
              QStringList{QStringLiteral("ストリームのURLはhttp://またはhttps://で始まるアドレスを指定してください。")});
    EXPECT_EQ(result->StreamURL(), kUrl);
    EXPECT_EQ(result->ServerSource(), QStringLiteral("plain.monitor"));

    host->On(QStringLiteral("FrmDialogSourceDevice"), [&](QDialog &d) {
        EXPECT_TRUE(Checked(d, "OptSourceStream"));
        EXPECT_EQ(Get<QLineEdit>(d, "TStreamURL").text(), kUrl);
        Check(d, "OptSourceDevice", true);
        EXPECT_TRUE(Enabled(d, "ListDevice"));
        Get<QListWidget>(d, "ListDevice").setCurrentRow(0);
        Press(d, "OKButton");
    });
    result = SourceDevice(*result);
    ASSERT_NE(result, nullptr);
    EXPECT_TRUE(result->StreamURL().isEmpty());
    EXPECT_EQ(result->DeviceID(), 0);
    EXPECT_TRUE(result->ServerSource().isEmpty());
}

// With the system's input chosen the lists are locked but still show the stored device and
// line, and OK keeps them; without any mixer device both lists are empty and locked.
TEST_F(OptionDialogs, SystemInputAndNoMixer)
{
    Open();
    const auto schedule = C().CreateNewSchedule();
    schedule->setUseSystemSourceDevice(true);
    schedule->setSourceLineIndex(3);
    host->On(QStringLiteral("FrmDialogSourceDevice"), [&](QDialog &d) {
        EXPECT_TRUE(Checked(d, "ChkSourceDevice"));
        EXPECT_FALSE(Enabled(d, "ListDevice"));
        EXPECT_FALSE(Enabled(d, "ListLine"));
        EXPECT_EQ(Get<QListWidget>(d, "ListDevice").currentRow(), 0);
        EXPECT_EQ(Get<QListWidget>(d, "ListLine").currentRow(), 3);
        Check(d, "ChkSourceDevice", false);
        EXPECT_TRUE(Enabled(d, "ListLine"));
        Check(d, "ChkSourceDevice", true);
        Press(d, "OKButton");
    });
    auto result = SourceDevice(*schedule);
    ASSERT_NE(result, nullptr);
    EXPECT_TRUE(result->UseSystemSourceDevice());
    EXPECT_EQ(result->SourceLineIndex(), 3);

    env.mixer->noDevice = true;
    host->On(QStringLiteral("FrmDialogSourceDevice"), [&](QDialog &d) {
        EXPECT_EQ(Get<QListWidget>(d, "ListDevice").count(), 0);
        EXPECT_EQ(Get<QListWidget>(d, "ListLine").count(), 0);
        Check(d, "ChkSourceDevice", false);
        EXPECT_FALSE(Enabled(d, "ListDevice"));
        EXPECT_FALSE(Enabled(d, "ListLine"));
        Press(d, "CancelButton");
    });
    EXPECT_EQ(SourceDevice(*schedule), nullptr);
}

}  // namespace
