// A Windows Media recording of the timetable, made for real from the private sound server.
// The sine comes through a source the test feeds at the pace of the clock: the server's own
// sine source hands out its sound two seconds ahead of time, so a recording ended by the clock
// would take in up to two seconds more than its length.

#include "core/capture/WmeSession.h"
#include "mixer/alsa/SoundDeviceList.h"
#include "tests/core/capture/WindowsMediaTimetable.h"
#include "tests/support/MediaFile.h"
#include "tests/support/PacedPipeSource.h"
#include "tests/support/PrivatePulse.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

using namespace tolvane;
using tolvane::test::MediaFile;
using tolvane::test::PacedPipeSource;
using tolvane::test::PrivatePulse;
using tolvane::test::WindowsMediaTimetable;

// A schedule from 07:00:00 to 07:00:20 is prepared at 06:59:55, records a 1 kHz sine from the
// sound server for twenty real seconds and stops at the end second: "name_1.wma" (as "name.wma"
// exists) is WMA 2 in ASF at the session's rate, channels and bit rate, 20 s long, with the
// sine in it.
TEST(WindowsMediaRecording, TwentySecondsOfASine)
{
    PrivatePulse pulse;
    ASSERT_TRUE(pulse.Running()) << pulse.Error().toStdString();
    PacedPipeSource sine(pulse, "paced_sine", [](qint64 frame, int) {
        return quint16(qint16(std::lround(16384 * std::sin(2 * std::numbers::pi * 1000 * double(frame) / 44100))));
    });
    ASSERT_TRUE(sine.Ready());
    WindowsMediaTimetable t("alsa");
    const auto s = t.AddSchedule("07:00:00", "07:00:20");
    s->setUseSystemSourceDevice(false);
    const auto devices = SoundDeviceList::Current();
    s->setDeviceID(qint32(std::find_if(devices.begin(), devices.end(), [](const auto &d) { return d.pcm == "pulse"; })
                          - devices.begin()));  // the sound server's device
    QFile(t.SaveFolder() + "/name.wma").open(QIODevice::WriteOnly);

    t.TickAt(6, 59, 55);
    QElapsedTimer recorded;
    recorded.start();
    t.TickAt(7, 0, 0);
    ASSERT_EQ(t.c->Status(), tolvane::Status::PresetWM);
    // Twenty seconds of the clock after the start second's tick, however long that tick took.
    QEventLoop loop;
    QTimer::singleShot(std::max<qint64>(0, 20000 - recorded.elapsed()), Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
    t.TickAt(7, 0, 20);
    const double seconds = double(recorded.elapsed()) / 1000;
    EXPECT_EQ(t.c->Status(), tolvane::Status::Idle);
    EXPECT_TRUE(t.errors.empty()) << t.errors.front().Description().toStdString();
    EXPECT_TRUE(t.env.notifier->messages.empty());
    ASSERT_EQ(t.Recordings(), (QStringList{"name.wma", "name_1.wma"}));

    const WmeSession session = WmeSession::Load(WmeSession::DefaultPath(t.env.dir.path()));
    const MediaFile m = MediaFile::Read(t.SaveFolder() + "/name_1.wma");
    ASSERT_TRUE(m.probed) << m.errors.toStdString();
    EXPECT_TRUE(m.errors.isEmpty()) << m.errors.toStdString();
    EXPECT_EQ(m.formatName, "asf");
    EXPECT_EQ(m.codecName, "wmav2");
    EXPECT_EQ(m.sampleRate, session.SampleRate);
    EXPECT_EQ(m.channels, session.Channels);
    EXPECT_EQ(m.bitRate, session.BitRate);
    EXPECT_NEAR(m.duration, 20, 0.5);
    EXPECT_NEAR(m.duration, seconds, 0.3);
    EXPECT_NEAR(m.DecodedSeconds(), m.duration, 0.1);
    EXPECT_NEAR(m.ToneFrequency(), 1000, 2);
}
