// The recording format dialogs: wave settings and their refusals, the MP3 settings and their
// lists, the detailed encoder settings, the tag's genre numbering and the session file.

#include "core/capture/WmeSession.h"
#include "frontend/DialogSetTag.h"
#include "frontend/FrmDialogGOGOSetting.h"
#include "frontend/FrmDialogOtherGOGOSetting.h"
#include "frontend/FrmDialogWaveSetting.h"
#include "frontend/FrmWME.h"
#include "tests/frontend/DialogFixture.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QSlider>
#include <QSpinBox>

using namespace tolvane;
using namespace tolvane::test;

namespace {

class FormatDialogs : public DialogFixture {
protected:
    void SetUp() override
    {
        Open();
        schedule = C().CreateNewSchedule();
    }

    std::shared_ptr<ClsSchedule> Wave()
    {
        FrmDialogWaveSetting dialog(Context(), window.get());
        return dialog.ChangeWaveSetting(*schedule);
    }

    // Types a silence level and presses OK; true when the dialog took it.
    bool OfferLevel(const QString &level)
    {
        bool closed = false;
        questions->informed.clear();
        host->On(QStringLiteral("FrmDialogWaveSetting"), [&](QDialog &d) {
            Type(d, "TNoSounddB", level);
            Press(d, "OKButton");
            closed = !d.isVisible();
            if (!closed)
                Press(d, "CancelButton");
        });
        const auto result = Wave();
        EXPECT_EQ(result != nullptr, closed);
        if (result)
            EXPECT_EQ(result->WaveSetting()->NoSounddB(), QVariant(level));
        else
            EXPECT_EQ(questions->informed,
                      QStringList({QStringLiteral("無音とみなす音圧には0以下の数または半角文字で-infを入力してください。")}));
        return closed;
    }

    std::shared_ptr<ClsSchedule> schedule;
};

// The silence level: "-inf", minus 40 and 0 are taken as typed; plus 10 and letters are refused
// and the dialog stays open. The wave settings themselves still take a positive number.
TEST_F(FormatDialogs, SilenceLevel)
{
    EXPECT_TRUE(OfferLevel(QStringLiteral("-inf")));
    EXPECT_TRUE(OfferLevel(QStringLiteral("-40")));
    EXPECT_TRUE(OfferLevel(QStringLiteral("0")));
    EXPECT_FALSE(OfferLevel(QStringLiteral("+10")));
    EXPECT_FALSE(OfferLevel(QStringLiteral("10")));
    EXPECT_FALSE(OfferLevel(QStringLiteral("abc")));
    EXPECT_FALSE(OfferLevel(QStringLiteral("-INF")));
    ClsWave wave;
    EXPECT_NO_THROW(wave.setNoSounddB(QStringLiteral("10")));
}

// A new schedule's empty level shows as the 0 dB it means, so OK takes it unchanged.
TEST_F(FormatDialogs, EmptyLevelShowsAsZero)
{
    host->On(QStringLiteral("FrmDialogWaveSetting"), [](QDialog &d) {
        EXPECT_EQ(Get<QLineEdit>(d, "TNoSounddB").text(), QStringLiteral("0"));
        Press(d, "OKButton");
    });
    ASSERT_NE(Wave(), nullptr);
}

// Splitting by time needs at least a second, but only while it is on. Splitting at silences
// needs a whole number of seconds of 1 or more (a new schedule offers 4); with it off, the
// locked length box never blocks OK and the stored length stays.
TEST_F(FormatDialogs, SplitChecks)
{
    const QString oneSecond = QStringLiteral("分割時間は1秒以上を指定して下さい");
    const QString wholeSeconds = QStringLiteral("ファイルを分割する無音部の長さには正の整数を入力してください。");
    const QStringList refused{"0", "-1", "0.4", "2.5", "zwei", ""};
    host->On(QStringLiteral("FrmDialogWaveSetting"), [&](QDialog &d) {
        EXPECT_EQ(Get<QLineEdit>(d, "TSplitSeconds").text(), QStringLiteral("4"));
        EXPECT_FALSE(Enabled(d, "DTPSplitTime"));
        Check(d, "ChkSplitByTime", true);
        EXPECT_TRUE(Enabled(d, "DTPSplitTime"));
        Press(d, "OKButton");
        EXPECT_TRUE(d.isVisible());
        SetTime(d, "DTPSplitTime", 0, 30, 0);
        Check(d, "ChkSplit", true);
        for (const QString &seconds : refused) {
            Type(d, "TSplitSeconds", seconds);
            Press(d, "OKButton");
            EXPECT_TRUE(d.isVisible()) << seconds.toStdString();
        }
        Type(d, "TSplitSeconds", QStringLiteral("3"));
        Press(d, "OKButton");
    });
    const auto split = Wave();
    ASSERT_NE(split, nullptr);
    EXPECT_EQ(questions->informed, QStringList{oneSecond} + QStringList(refused.size(), wholeSeconds));
    EXPECT_TRUE(split->WaveSetting()->SplitByTime());
    EXPECT_EQ(split->WaveSetting()->SplitTime(), Seconds(30 * 60));
    EXPECT_EQ(split->WaveSetting()->NoSoundSeconds(), 3);
    EXPECT_TRUE(split->WaveSetting()->Split());

    // A schedule stored with a length of 0 and splitting off.
    questions->informed.clear();
    schedule->WaveSetting()->setNoSoundSeconds(0);
    host->On(QStringLiteral("FrmDialogWaveSetting"), [&](QDialog &d) {
        EXPECT_FALSE(Enabled(d, "TSplitSeconds"));
        Press(d, "OKButton");
    });
    const auto kept = Wave();
    ASSERT_NE(kept, nullptr);
    EXPECT_TRUE(questions->informed.isEmpty());
    EXPECT_EQ(kept->WaveSetting()->NoSoundSeconds(), 0);
}

// 11025 Hz locks the MP3 box without clearing it, and the schedule stays MP3; other rates unlock
// it. Without the encoder the box is locked but still keeps an MP3 schedule MP3.
TEST_F(FormatDialogs, AutoEncodeBox)
{
    ASSERT_TRUE(C().UseGOGO);
    schedule->setRecordingFormat(FormatType::MP3);
    host->On(QStringLiteral("FrmDialogWaveSetting"), [&](QDialog &d) {
        EXPECT_TRUE(Enabled(d, "ChkAutoEncode"));
        Press(d, "OptionFreq0");
        EXPECT_FALSE(Enabled(d, "ChkAutoEncode"));
        EXPECT_TRUE(Checked(d, "ChkAutoEncode"));
        Press(d, "OptionFreq1");
        EXPECT_TRUE(Enabled(d, "ChkAutoEncode"));
        Press(d, "OptionFreq0");
        Press(d, "OptionBit0");
        Press(d, "OptionCh0");
        Press(d, "OKButton");
    });
    auto result = Wave();
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(result->RecordingFormat(), FormatType::MP3);
    EXPECT_EQ(result->WaveSetting()->Frequency(), Frequency::Lo11025Hz);
    EXPECT_EQ(result->WaveSetting()->Bit(), Bit::lo8bit);
    EXPECT_EQ(result->WaveSetting()->Channel(), Channel::mono);

    C().UseGOGO = false;
    host->On(QStringLiteral("FrmDialogWaveSetting"), [&](QDialog &d) {
        EXPECT_FALSE(Enabled(d, "ChkAutoEncode"));
        EXPECT_TRUE(Checked(d, "ChkAutoEncode"));
        Press(d, "OKButton");
    });
    result = Wave();
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(result->RecordingFormat(), FormatType::MP3);
}

// The MP3 dialog: a rate not in a list opens at the list's first entry; VBR swaps the enabled
// lists; unchecking the intermediate WAVE file stores real-time encoding; the detail and tag
// dialogs' results are taken over.
TEST_F(FormatDialogs, Mp3Settings)
{
    schedule->MP3()->setMP3CBRMPEG1BitRate(144);
    schedule->MP3()->setMP3CBRMPEG2BitRate(144);
    host->On(QStringLiteral("FrmDialogGOGOSetting"), [&](QDialog &d) {
        EXPECT_EQ(Get<QComboBox>(d, "CmbMPEG1").currentText(), QStringLiteral("32kbps"));
        EXPECT_EQ(Get<QComboBox>(d, "CmbMPEG2").currentText(), QStringLiteral("144kbps"));
        EXPECT_EQ(Get<QComboBox>(d, "CmbStereo").currentText(), QStringLiteral("ミッドサイドステレオ"));
        EXPECT_FALSE(Enabled(d, "SldVBRQuality"));
        EXPECT_FALSE(Enabled(d, "CmbVBRMaxBitRate"));
        Press(d, "ChkVBR");
        EXPECT_FALSE(Enabled(d, "CmbMPEG1"));
        EXPECT_TRUE(Enabled(d, "SldVBRQuality"));
        EXPECT_FALSE(Enabled(d, "CmbVBRMaxBitRate"));
        Press(d, "ChkVBRSetLimit");
        EXPECT_TRUE(Enabled(d, "CmbVBRMaxBitRate"));
        Get<QComboBox>(d, "CmbVBRMaxBitRate").setCurrentIndex(13);
        Get<QComboBox>(d, "CmbFileFormat").setCurrentIndex(2);
        EXPECT_TRUE(Enabled(d, "ChkDeleteWavFile"));
        Press(d, "ChkMakeWavFile");
        EXPECT_FALSE(Enabled(d, "ChkDeleteWavFile"));
        Press(d, "CSetOther");
        Press(d, "OKButton");
    });
    host->On(QStringLiteral("FrmDialogOtherGOGOSetting"), [](QDialog &d) {
        EXPECT_EQ(Get<QLabel>(d, "LLPFA").text(), QStringLiteral("A(0～100) 55"));
        EXPECT_EQ(Get<QLabel>(d, "LLPFB").text(), QStringLiteral("B(0～100) 75"));
        EXPECT_FALSE(Enabled(d, "SldLPFA"));
        Press(d, "ChkCustomizeLPF");
        Get<QSlider>(d, "SldLPFA").setValue(40);
        EXPECT_EQ(Get<QLabel>(d, "LLPFA").text(), QStringLiteral("A(0～100) 40"));
        EXPECT_FALSE(Enabled(d, "ChkNotUseSSE"));
        Press(d, "ChkNotUSEEnhancedCPU");
        Press(d, "ChkNotUseSSE");
        Press(d, "ChkSetPriority");
        Get<QComboBox>(d, "CmbPriority").setCurrentIndex(5);
        Press(d, "ChkSetIOFreq");
        Get<QComboBox>(d, "CmbOutFreq").setCurrentIndex(1);
        Press(d, "OKButton");
    });
    FrmDialogGOGOSetting dialog(Context(), window.get());
    const auto result = dialog.ChangeGOGOSetting(*schedule);
    ASSERT_NE(result, nullptr);
    const ClsMP3 &m = *result->MP3();
    EXPECT_EQ(m.MP3CBRMPEG1BitRate(), 32);
    EXPECT_EQ(m.MP3CBRMPEG2BitRate(), 144);
    EXPECT_TRUE(m.MP3VBR());
    EXPECT_TRUE(m.MP3LimitVBRBitRate());
    EXPECT_EQ(m.MP3VBRMaxBitRate(), 320);
    EXPECT_EQ(m.MP3FileFormat(), 2);
    EXPECT_TRUE(m.MP3RealTime());
    EXPECT_TRUE(m.MP3CustomizeLPF());
    EXPECT_EQ(m.MP3LPFA(), 40);
    EXPECT_TRUE(m.MP3NotUseSSE());
    EXPECT_EQ(m.MP3SetPriority(), -1);
    EXPECT_EQ(m.MP3Priority(), -15);
    EXPECT_TRUE(m.MP3SetIOFreq());
    EXPECT_EQ(m.MP3OutFreq(), 22050);
    EXPECT_EQ(schedule->MP3()->MP3CBRMPEG1BitRate(), 144);
}

// The genre list has 153 entries with "Anime" twice; 0 to 147 are stored as they are and the
// last five as 251 to 255; 253 opens at "Moemoe" and entry 152 stores 255. A number between
// them opens at no entry and is kept unless another genre is chosen.
TEST_F(FormatDialogs, GenreNumbering)
{
    ASSERT_EQ(DialogSetTag::Genres().size(), 153);
    EXPECT_EQ(DialogSetTag::Genres()[145], QStringLiteral("Anime"));
    EXPECT_EQ(DialogSetTag::Genres()[152], QStringLiteral("Anime"));
    EXPECT_EQ(DialogSetTag::GenreNoOf(147), 147);
    EXPECT_EQ(DialogSetTag::GenreNoOf(148), 251);
    EXPECT_EQ(DialogSetTag::GenreIndexOf(251), 148);

    const auto tagged = [&](quint8 genre, const std::function<void(QDialog &)> &script) {
        ID3Tag tag = schedule->MP3()->ID3Tag();
        tag.GenreNo = genre;
        schedule->MP3()->setID3Tag(tag);
        host->On(QStringLiteral("DialogSetTag"), script);
        DialogSetTag dialog(Context(), window.get());
        return dialog.ChangeTag(*schedule);
    };
    auto result = tagged(253, [](QDialog &d) {
        EXPECT_EQ(Get<QComboBox>(d, "CmbGenre").currentIndex(), 150);
        EXPECT_EQ(Get<QComboBox>(d, "CmbGenre").currentText(), QStringLiteral("Moemoe"));
        Get<QComboBox>(d, "CmbGenre").setCurrentIndex(152);
        Type(d, "TTitle", QStringLiteral("\\N \\M月/D日"));
        Press(d, "OKButton");
    });
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(result->MP3()->ID3Tag().GenreNo, 255);
    EXPECT_EQ(result->MP3()->ID3Tag().Title, QStringLiteral("\\N \\M月/D日"));

    result = tagged(200, [](QDialog &d) {
        EXPECT_EQ(Get<QComboBox>(d, "CmbGenre").currentIndex(), -1);
        Press(d, "OKButton");
    });
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(result->MP3()->ID3Tag().GenreNo, 200);

    result = tagged(12, [](QDialog &d) {
        Type(d, "TYear", QStringLiteral("2024"));
        Press(d, "CancelButton");
    });
    EXPECT_EQ(result, nullptr);
    EXPECT_EQ(schedule->MP3()->ID3Tag().Year, QStringLiteral("\\Y"));
}

// The session file: editing loads it (the default one is made on first use), OK saves the
// controls to the path shown and returns it; a file that cannot be written is shown as an error
// and the dialog stays open; Cancel returns nothing and writes nothing.
TEST_F(FormatDialogs, SessionFile)
{
    const QString defaultPath = WmeSession::DefaultPath(env.dir.path());
    const QString other = env.Path(QStringLiteral("other.wme"));
    host->files = {other};
    host->On(QStringLiteral("FrmWME"), [&](QDialog &d) {
        EXPECT_FALSE(Enabled(d, "PropPageShell"));
        Press(d, "ChkChangeSetting");
        EXPECT_TRUE(Enabled(d, "PropPageShell"));
        EXPECT_EQ(Get<QSpinBox>(d, "TBitRate").value(), 128000);
        Get<QSpinBox>(d, "TBitRate").setValue(64000);
        Get<QComboBox>(d, "CmbChannels").setCurrentIndex(0);
        Press(d, "CChangeSettingFile");
        Press(d, "COK");
    });
    frontend::FrmWME first(Context(), window.get());
    EXPECT_EQ(first.ChangeWMESetting(defaultPath), other);
    EXPECT_EQ(host->fileDialogStarts, QStringList({defaultPath}));
    EXPECT_EQ(WmeSession::Load(defaultPath), WmeSession());
    const WmeSession saved = WmeSession::Load(other);
    EXPECT_EQ(saved.BitRate, 64000);
    EXPECT_EQ(saved.Channels, 1);

    QFile blocker(env.Path(QStringLiteral("file")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    host->On(QStringLiteral("FrmWME"), [&](QDialog &d) {
        Press(d, "ChkChangeSetting");
        Type(d, "TSettingPath", env.Path(QStringLiteral("file/under.wme")));
        Press(d, "COK");
        EXPECT_TRUE(d.isVisible());
        ASSERT_EQ(questions->informed.size(), 1);
        EXPECT_TRUE(questions->informed[0].startsWith(QStringLiteral("エラーが発生しました。エラー番号は")));
        Press(d, "CCancel");
    });
    frontend::FrmWME second(Context(), window.get());
    EXPECT_EQ(second.ChangeWMESetting(other), std::nullopt);
    EXPECT_EQ(WmeSession::Load(other).BitRate, 64000);
}

}  // namespace
