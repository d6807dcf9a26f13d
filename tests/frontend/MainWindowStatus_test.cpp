// What the main window shows: the status line, buttons and icon for every status, the
// remaining-time refresh, the level meter, the encode progress and the list's cell texts.

#include "tests/frontend/WindowFixture.h"

#include <QTest>

using namespace tolvane;
using namespace tolvane::test;

namespace {

class MainWindowStatus : public WindowFixture {
protected:
    // Which of CRec, CRecEnd, CChangeEndTime and CMonitor are on, as "EDDE".
    QString Buttons() const
    {
        QString s;
        for (const char *b : {"CRec", "CRecEnd", "CChangeEndTime", "CMonitor"})
            s += Button(b)->isEnabled() ? QLatin1Char('E') : QLatin1Char('D');
        return s;
    }
    QTimer *RefreshTimer() const { return Find<QTimer>("TimerRecInfoUpdate"); }
    QProgressBar *Bar(int c) const { return Find<QProgressBar>(c == 0 ? "Pbvolume0" : "Pbvolume1"); }
    QString Volume() const { return Find<QLabel>("LVolume")->text(); }
    FakePipeline &Pipeline() { return env.capture->Last(); }
};

// Idle, monitoring, the two timetable recordings and the manual ones, each with its buttons,
// text, icon and refresh timer.
TEST_F(MainWindowStatus, EveryStatus)
{
    Open();
    window->show();
    EXPECT_EQ(window->Status(), Status::Idle);
    EXPECT_EQ(Buttons(), QStringLiteral("EDDE"));
    EXPECT_EQ(Info(), QStringLiteral("待機中"));
    EXPECT_EQ(window->Tray().ToolTipText(), QStringLiteral("待機中"));
    const qint64 idlePicture = window->Tray().Icon().cacheKey();

    Click("CMonitor");
    EXPECT_EQ(C().Status(), Status::Monitor);
    EXPECT_EQ(Buttons(), QStringLiteral("DDDE"));
    EXPECT_EQ(Button("CMonitor")->text(), QStringLiteral("モニター終了"));
    EXPECT_EQ(Info(), QStringLiteral("現在モニター中"));
    EXPECT_EQ(window->Tray().Icon().cacheKey(), idlePicture);
    Click("CMonitor");
    EXPECT_EQ(C().Status(), Status::Idle);
    EXPECT_EQ(Button("CMonitor")->text(), QStringLiteral("モニター開始"));

    AddSchedule(QStringLiteral("朝"), QStringLiteral("07:00:00"), QStringLiteral("07:00:30"));
    TickAt(At(7, 0, 0));
    EXPECT_EQ(window->Status(), Status::PresetWave);
    EXPECT_EQ(Buttons(), QStringLiteral("DEED"));
    EXPECT_EQ(Info(), QStringLiteral("現在予約録音中7:00:30まで(残り00:00:30)"));
    EXPECT_NE(window->Tray().Icon().cacheKey(), idlePicture);
    EXPECT_FALSE(RefreshTimer()->isActive());

    // The end time set by the user.
    Click("CChangeEndTime");
    EXPECT_EQ(window->Status(), Status::ManualEndSetWave);
    EXPECT_EQ(Info(), QStringLiteral("現在手動録音中終了時刻7:30:00"));
    EXPECT_FALSE(RefreshTimer()->isActive());

    Click("CRecEnd");
    EXPECT_EQ(window->Status(), Status::Idle);
    EXPECT_EQ(window->Tray().Icon().cacheKey(), idlePicture);

    // A manual recording without an end time keeps its text when sound arrives.
    Click("CRec");
    EXPECT_EQ(window->Status(), Status::ManualWave);
    EXPECT_EQ(Buttons(), QStringLiteral("DEED"));
    EXPECT_EQ(Info(), QStringLiteral("現在手動録音中終了時刻未設定"));
    Pipeline().Deliver16(std::vector<qint16>(400, 1000));
    EXPECT_EQ(Info(), QStringLiteral("現在手動録音中終了時刻未設定"));
    Click("CRecEnd");

    // Start-up and shut-down change nothing at all.
    Click("CMonitor");
    window->setStatus(Status::ShutDown);
    EXPECT_EQ(Info(), QStringLiteral("現在モニター中"));
    EXPECT_EQ(Buttons(), QStringLiteral("DDDE"));
    window->setStatus(Status::StartUp);
    EXPECT_EQ(Info(), QStringLiteral("現在モニター中"));
    EXPECT_EQ(window->Status(), Status::StartUp);
}

// Windows Media recordings bring no sound, so a 500 ms timer moves the remaining time; WAVE
// recordings are refreshed by their sound instead.
TEST_F(MainWindowStatus, RemainingTimeRefresh)
{
    Open();
    AddSchedule(QStringLiteral("WM"), QStringLiteral("07:00:00"), QStringLiteral("07:05:00"), FormatType::windowsmedia);
    TickAt(At(7, 0, 0));
    ASSERT_EQ(window->Status(), Status::PresetWM);
    EXPECT_EQ(Info(), QStringLiteral("現在予約録音中7:05:00まで(残り00:05:00)"));
    ASSERT_TRUE(RefreshTimer()->isActive());
    EXPECT_EQ(RefreshTimer()->interval(), 500);

    env.clock->Set(At(7, 1, 15));
    QMetaObject::invokeMethod(RefreshTimer(), "timeout");
    EXPECT_EQ(Info(), QStringLiteral("現在予約録音中7:05:00まで(残り0:03:45)"));

    // A user end time keeps the timer for Windows Media.
    Click("CChangeEndTime");
    EXPECT_EQ(window->Status(), Status::ManualEndSetWM);
    EXPECT_TRUE(RefreshTimer()->isActive());
    env.clock->Set(At(7, 2, 0));
    QMetaObject::invokeMethod(RefreshTimer(), "timeout");
    EXPECT_EQ(Info(), QStringLiteral("現在手動録音中7:30:00まで(残り0:28:00)"));

    Click("CRecEnd");
    EXPECT_FALSE(RefreshTimer()->isActive());

    // A WAVE recording ending after midnight: the remaining time wraps round the clock.
    AddSchedule(QStringLiteral("夜"), QStringLiteral("23:50:00"), QStringLiteral("00:30:00"));
    TickAt(At(23, 50, 0));
    ASSERT_EQ(window->Status(), Status::PresetWave);
    EXPECT_EQ(Info(), QStringLiteral("現在予約録音中0:30:00まで(残り00:40:00)"));
    env.clock->Set(At(23, 59, 30));
    Pipeline().Deliver16(std::vector<qint16>(200, 5));
    EXPECT_EQ(Info(), QStringLiteral("現在予約録音中0:30:00まで(残り0:30:30)"));
}

// Full scale, the smallest peak and stereo channels on the 16-bit scale (48 to 96).
TEST_F(MainWindowStatus, Meter16Bit)
{
    Open();
    Click("CMonitor");
    EXPECT_EQ(Bar(0)->minimum(), 48);
    EXPECT_EQ(Bar(0)->maximum(), 96);

    Pipeline().Deliver16({-32768, 0, 100, 0});
    EXPECT_EQ(Bar(0)->value(), 96);
    EXPECT_EQ(Bar(1)->value(), 48);
    EXPECT_TRUE(Volume().startsWith(QStringLiteral("0.000dBの入力がありました。\n(0dBに近い場合")));

    Click("CMonitor");
    Click("CMonitor");  // a new capture forgets the held peak
    Pipeline().Deliver16({1, -1, 0, 1});
    EXPECT_EQ(Bar(0)->value(), 48);
    EXPECT_EQ(Bar(1)->value(), 48);
    EXPECT_TRUE(Volume().startsWith(QStringLiteral("-90.309dB")));

    // The held peak only rises.
    Pipeline().Deliver16({3277, 16384});
    EXPECT_EQ(Bar(0)->value(), 76);  // -20 dB
    EXPECT_EQ(Bar(1)->value(), 90);  // -6 dB
    EXPECT_TRUE(Volume().startsWith(QStringLiteral("-6.020dB")));
    Pipeline().Deliver16({0, 0, 0, 0});
    EXPECT_EQ(Bar(0)->value(), 48);
    EXPECT_TRUE(Volume().startsWith(QStringLiteral("-6.020dB")));
}

// 8-bit sound: silence reads "-inf" and leaves the held peak alone; mono fills both bars.
TEST_F(MainWindowStatus, Meter8BitMono)
{
    Open();
    C().DefaultSchedule()->WaveSetting()->setBit(Bit::lo8bit);
    C().DefaultSchedule()->WaveSetting()->setChannel(Channel::mono);
    Click("CMonitor");
    EXPECT_EQ(Bar(0)->minimum(), 0);
    EXPECT_EQ(Bar(0)->maximum(), 48);

    Pipeline().Deliver8(std::vector<quint8>(100, 128));
    EXPECT_EQ(Bar(0)->value(), 0);
    EXPECT_EQ(Bar(1)->value(), 0);
    EXPECT_TRUE(Volume().startsWith(QStringLiteral("-infdBの入力がありました。")));

    Pipeline().Deliver8({128, 0, 128});  // 0 is one step past full scale: counted as full
    EXPECT_EQ(Bar(0)->value(), 48);
    EXPECT_EQ(Bar(1)->value(), 48);
    EXPECT_TRUE(Volume().startsWith(QStringLiteral("0.000dB")));

    Pipeline().Deliver8(std::vector<quint8>(50, 128));
    EXPECT_EQ(Bar(0)->value(), 0);
    EXPECT_TRUE(Volume().startsWith(QStringLiteral("0.000dB")));
}

// The encode progress appears under the meter while an encode runs, and goes when the queue
// has run empty.
TEST_F(MainWindowStatus, EncodeProgress)
{
    Open();
    window->show();
    auto s = C().CreateNewSchedule();
    s->setRecordingFormat(FormatType::MP3);
    C().StartOnTimeCapture(s);
    Click("CRecEnd");
    Settle();
    ASSERT_TRUE(C().WaitForGOGO());
    auto *bar = Find<QProgressBar>("PbEncode");
    EXPECT_FALSE(bar->isVisible());

    emit env.encoders->created.back()->EncodeProgress(0.42);
    EXPECT_TRUE(bar->isVisible());
    EXPECT_EQ(bar->value(), 42);
    EXPECT_EQ(Find<QLabel>("LEncode")->text(), QStringLiteral("MP3エンコード中 part.wav"));

    QTimer *watch = Find<QTimer>("TimerEncodeWatch");
    QMetaObject::invokeMethod(watch, "timeout");
    EXPECT_TRUE(bar->isVisible());
    env.encoders->created.back()->Finish();
    QMetaObject::invokeMethod(watch, "timeout");
    EXPECT_FALSE(bar->isVisible());
}

// The cells of a row for the formats and switches of the examples.
TEST_F(MainWindowStatus, RowTexts)
{
    Open();
    const QString key = AddSchedule(QStringLiteral("朝"), QStringLiteral("06:00:00"), QStringLiteral("06:30:00"));
    auto s = C().CreateNewSchedule();
    s->CopyFrom(*C().Schedule(key));
    for (int d = 0; d < 7; ++d)
        s->setStartDay(d, d % 2 == 1 ? 1 : 2);  // 2 is not a recording day
    s->setValid(false);
    s->setRecordingFormat(FormatType::MP3);
    s->setSavePath(QString());
    s->WaveSetting()->setSplitByTime(true);
    s->WaveSetting()->setSplitTime(Seconds(3600 + 30 * 60));
    s->WaveSetting()->setSplit(true);
    s->WaveSetting()->setSNSValid(true);
    C().ChangeSchedule(key, *s);
    window->AddSchedule2LVw(key);

    QTreeWidgetItem *row = List()->topLevelItem(1);
    const QStringList expected{QStringLiteral("朝"),
                               QStringLiteral("月水金"),
                               QStringLiteral("06:00:00"),
                               QStringLiteral("06:30:00"),
                               QStringLiteral("無効"),
                               QStringLiteral("MP3CBR128kbpsWAVE形式16bit44100Hz2Ch"),
                               QStringLiteral("標準の保存先") + C().DefaultSavePath(),
                               QStringLiteral("01:30:00毎"),
                               QStringLiteral("有効"),
                               QStringLiteral("前カット")};
    for (int c = 0; c < expected.size(); ++c)
        EXPECT_EQ(row->text(c), expected[c]) << c;
    EXPECT_EQ(List()->topLevelItem(0)->text(5), QStringLiteral("WAVE形式16bit44100Hz2Ch"));
    EXPECT_EQ(List()->topLevelItem(0)->text(9), QStringLiteral("カットなし(またはWindowsMedia)"));
    EXPECT_EQ(List()->topLevelItem(0)->text(7), QStringLiteral("無効"));
}

}  // namespace
