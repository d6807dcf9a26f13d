// Timetable recordings of an internet radio stream served on loopback by FFmpeg: on the
// second as the sound itself says, exactly their length, through a drop of the server, and a
// stream that refuses.

#include "core/capture/CaptureFactory.h"
#include "core/controller/ClsController.h"
#include "tests/support/HalfPastMarker.h"
#include "tests/support/LiveTimetable.h"
#include "tests/support/MediaFile.h"
#include "tests/support/StreamServer.h"
#include "tests/support/TestServices.h"
#include "tests/support/WaveFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTimer>

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

using namespace tolvane;
using namespace tolvane::test;

namespace {

constexpr qint64 kRate = 44100;
// A live MP3 stream carries no LAME tag, so its decode lags by LAME's 576 samples and the
// decoder's 529.
constexpr double kStreamDecodeDelay = 1105.0 / kRate;

// The longest run of frames at the zero level, in frames.
qint64 LongestSilence(const std::vector<qint16> &stereo)
{
    qint64 longest = 0, run = 0;
    for (size_t k = 0; k + 1 < stereo.size(); k += 2) {
        run = stereo[k] == 0 && stereo[k + 1] == 0 ? run + 1 : 0;
        longest = std::max(longest, run);
    }
    return longest;
}

}  // namespace

// An MP3 schedule recording the stream opens it five seconds ahead; its WAVE file holds
// exactly four seconds beginning with the sound of its second (the burst played at half past
// it lies half a second in, within 100 ms, the server's own encoding included), and so does
// the MP3 made from it; sox and ffprobe read both.
TEST(StreamRecording, OnTheSecondWithItsLength)
{
    StreamServer server([&server](qint64 frame, int channel) { return HalfPastMarker{server.OriginNs()}(frame, channel); });
    ASSERT_TRUE(server.Running()) << server.Error().toStdString();
    LiveTimetable t;
    ASSERT_TRUE(t.c->UseGOGO);
    t.Add(FormatType::MP3, 6, 4);
    t.last->setStreamURL(server.Url());
    ASSERT_TRUE(t.WaitUntilDone(QDateTime::currentDateTime().addSecs(25)));
    EXPECT_TRUE(t.errors.empty()) << t.errors.front().Description().toStdString();

    const WaveFile w = WaveFile::Read(t.env.Path("take.WAV"));
    ASSERT_TRUE(w.SizesMatch());
    const std::vector<qint16> s = w.Samples16();
    ASSERT_EQ(s.size(), size_t(4 * kRate * 2));
    std::vector<qint16> left(s.size() / 2);
    for (size_t k = 0; k < left.size(); ++k)
        left[k] = s[2 * k];
    const double onset = HalfPastMarker::OnsetSeconds(left, kRate);
    std::printf("WAVE: the burst of half past the second lies at %.4f s\n", onset);
    EXPECT_NEAR(onset, 0.5 + kStreamDecodeDelay, 0.100);

    QProcess sox;
    sox.start("sox", {"--i", "-D", t.env.Path("take.WAV")});
    ASSERT_TRUE(sox.waitForFinished(10000));
    EXPECT_EQ(QString::fromUtf8(sox.readAllStandardOutput()).trimmed().toDouble(), 4.0);

    const MediaFile m = MediaFile::Read(t.env.Path("take.mp3"));
    ASSERT_TRUE(m.probed) << m.errors.toStdString();
    EXPECT_EQ(m.codecName, "mp3");
    EXPECT_NEAR(m.DecodedSeconds(), 4.0, 0.03);
    const double mp3Onset = HalfPastMarker::OnsetSeconds(m.firstChannel, m.sampleRate);
    std::printf("MP3: the burst lies at %.4f s\n", mp3Onset);
    EXPECT_NEAR(mp3Onset, 0.5 + kStreamDecodeDelay, 0.100);
}

// The server is killed three seconds into a ten-second recording and comes back three seconds
// later: the recording holds exactly ten seconds and ends on time, with silence of about the
// three seconds in the gap; the loss is reported once, and the log says when the stream dropped
// and came back.
TEST(StreamRecording, DropIsSilenceReportedOnce)
{
    StreamServer server([](qint64 frame, int) {
        return quint16(qint16(std::lround(10000 * std::sin(2 * std::numbers::pi * 1000 * double(frame) / kRate))));
    });
    ASSERT_TRUE(server.Running()) << server.Error().toStdString();
    LiveTimetable t;
    t.c->gMakeLog = true;
    const QDateTime start = t.Add(FormatType::wave, 6, 10);
    t.last->setStreamURL(server.Url());
    QDateTime stopped;
    QObject::connect(t.c.get(), &ClsController::OnStatusChanged, [&](tolvane::Status s) {
        if (s == tolvane::Status::Idle && !stopped.isValid() && QDateTime::currentDateTime() > start)
            stopped = QDateTime::currentDateTime();
    });
    QTimer::singleShot(QDateTime::currentDateTime().msecsTo(start.addSecs(3)), [&] { server.Kill(); });
    QTimer::singleShot(QDateTime::currentDateTime().msecsTo(start.addSecs(6)), [&] { EXPECT_TRUE(server.Start()); });
    const QString file = t.WaitForFile(start.addSecs(20));
    ASSERT_FALSE(file.isEmpty());

    const WaveFile w = WaveFile::Read(file);
    ASSERT_TRUE(w.SizesMatch());
    const std::vector<qint16> s = w.Samples16();
    EXPECT_EQ(s.size(), size_t(10 * kRate * 2));
    const double gap = double(LongestSilence(s)) / kRate;
    std::printf("silence of %.3f s; stopped %lld ms after the end second\n", gap, start.addSecs(10).msecsTo(stopped));
    EXPECT_GE(gap, 2.9);
    // The server is back at six seconds; the next attempt comes within a second of that.
    EXPECT_LE(gap, 4.5);
    EXPECT_LE(std::abs(start.addSecs(10).msecsTo(stopped)), 1000);

    ASSERT_EQ(t.errors.size(), 1u);
    EXPECT_EQ(t.errors[0].Number(), ErrNo::SoundLost);
    QFile log(t.env.Path("rec.log"));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QString lines = QString::fromUtf8(log.readAll());
    EXPECT_EQ(lines.count("StreamDropped"), 1) << lines.toStdString();
    EXPECT_EQ(lines.count("StreamReconnected " + server.Url()), 1) << lines.toStdString();
    EXPECT_EQ(lines.count("SoundLost"), 1);
}

// A stream that refuses: prepared five seconds ahead and tried again within its start second,
// it is reported once, the recorder stays Idle and no file is made; the next schedule records.
TEST(StreamRecording, RefusedStreamIsReportedOnceAndStaysIdle)
{
    StreamServer next([](qint64, int) { return quint16(4000); });
    ASSERT_TRUE(next.Running()) << next.Error().toStdString();
    const auto at = [](int h, int m, int s, int ms = 0) { return QDateTime(QDate(2024, 3, 4), QTime(h, m, s, ms)); };
    TestEnv env{at(6, 59, 50)};
    env.services->captureFactory = std::make_shared<CaptureFactory>(env.services, SoundSourceConfig{}, nullptr);
    ClsController c(env.services);
    std::vector<NumberedError> errors;
    std::vector<tolvane::Status> statuses;
    QObject::connect(&c, &ClsController::OnError, [&](const NumberedError &e) { errors.push_back(e); });
    QObject::connect(&c, &ClsController::OnStatusChanged, [&](tolvane::Status s) { statuses.push_back(s); });
    c.Setup();
    statuses.clear();
    const auto add = [&](const QString &name, const QString &from, const QString &to, const QString &url) {
        auto s = c.CreateNewSchedule();
        s->setName(name);
        s->setFileName(name);
        s->setSavePath(env.dir.path());
        s->setStartTime(from);
        s->setEndTime(to);
        s->setStreamURL(url);
        for (int d = 0; d < 7; ++d)
            s->setStartDay(d, 1);
        c.AddSchedule2List(s);
    };
    // Nothing listens on port 1 of loopback.
    add("refused", "07:00:00", "07:00:30", "http://127.0.0.1:1/live.mp3");
    add("next", "07:01:00", "07:01:02", next.Url());
    const auto tickAt = [&](const QDateTime &t) {
        env.clock->Set(t);
        env.timer->Fire();
        QCoreApplication::processEvents();
    };
    tickAt(at(6, 59, 55));
    for (int ms = 0; ms <= 2500; ms += 100)
        tickAt(at(7, 0, 0, ms));
    EXPECT_EQ(c.Status(), tolvane::Status::Idle);
    EXPECT_TRUE(statuses.empty());
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_TRUE(errors[0].Description().contains("127.0.0.1:1")) << errors[0].Description().toStdString();
    EXPECT_TRUE(QDir(env.dir.path()).entryList({"refused*"}, QDir::Files).isEmpty());

    tickAt(at(7, 0, 55));
    tickAt(at(7, 1, 0));
    EXPECT_EQ(c.Status(), tolvane::Status::PresetWave);
    QElapsedTimer waited;
    waited.start();
    while (c.Status() != tolvane::Status::Idle && waited.elapsed() < 10000) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
        tickAt(at(7, 1, 0).addMSecs(waited.elapsed()));
    }
    EXPECT_EQ(errors.size(), 1u);
    const WaveFile w = WaveFile::Read(env.Path("next.WAV"));
    EXPECT_TRUE(w.SizesMatch());
    EXPECT_EQ(w.Samples16().size(), size_t(2 * kRate * 2));
}
