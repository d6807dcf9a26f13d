// Faults a month of unattended recording meets, made for real: the sound server dies in the
// middle of a recording, the real-time MP3 encoder is killed. Each recording ends in a defined
// state with one report, and the next schedule records normally.

#include "tests/support/LiveTimetable.h"
#include "tests/support/MediaFile.h"
#include "tests/support/PacedPipeSource.h"
#include "tests/support/PrivatePulse.h"
#include "tests/support/WaveFile.h"

#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

#include <QDir>

#include <csignal>

#include <unistd.h>

using namespace tolvane;
using tolvane::test::LiveTimetable;
using tolvane::test::MediaFile;
using tolvane::test::PacedPipeSource;
using tolvane::test::PrivatePulse;
using tolvane::test::WaveFile;

namespace {

quint16 Tone(qint64 frame, int) { return quint16((frame % 100) * 300); }

// The lines of rec.log that carry `word`.
int LogLines(const LiveTimetable &t, const QString &word)
{
    QFile log(t.env.Path("rec.log"));
    if (!log.open(QIODevice::ReadOnly))
        return 0;
    return int(QString::fromUtf8(log.readAll()).count(word));
}

// The encoder server this process started (0 when none runs).
pid_t EncoderServer()
{
    for (const QString &entry : QDir("/proc").entryList(QDir::Dirs)) {
        QFile stat("/proc/" + entry + "/stat");
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        // "pid (comm) state ppid ..."
        const QString line = QString::fromLatin1(stat.readAll());
        const QStringList rest = line.mid(line.lastIndexOf(')') + 2).split(' ');
        if (line.contains("(encorda)") && rest.size() > 1 && rest[1].toLongLong() == ::getpid())
            return pid_t(entry.toLongLong());
    }
    return 0;
}

}  // namespace

// The sound server is killed two seconds into a six-second recording: the recording stops at
// once with its file closed and valid, the after-program runs, the status is Idle, and the
// failure is reported once. With the server back, the next schedule records all its length.
TEST(Faults, SoundServerKilledMidRecording)
{
    LiveTimetable t;
    t.c->gMakeLog = true;
    QFile after(t.env.Path("after.sh"));
    ASSERT_TRUE(after.open(QIODevice::WriteOnly));
    after.close();
    {
        PrivatePulse pulse;
        ASSERT_TRUE(pulse.Running()) << pulse.Error().toStdString();
        PacedPipeSource source(pulse, "tone", Tone);
        ASSERT_TRUE(source.Ready());
        const QDateTime start = t.Add(FormatType::wave, 3, 6, false, "first");
        t.last->setAfterExecute(true);
        t.last->setAfterExecutePath(after.fileName());
        LiveTimetable::Wait(int(QDateTime::currentDateTime().msecsTo(start)) + 2000);
        ASSERT_TRUE(t.c->IsCapturing());
        pulse.Kill();
        const QString file = t.WaitForFile(start.addSecs(5), "first");
        EXPECT_LT(QDateTime::currentDateTime(), start.addSecs(5));  // well before its end
        EXPECT_EQ(t.c->Status(), tolvane::Status::Idle);
        ASSERT_FALSE(file.isEmpty());
        const WaveFile w = WaveFile::Read(file);
        EXPECT_TRUE(w.SizesMatch());
        EXPECT_NEAR(double(w.dataSize) / w.avgBytesPerSec, 2.0, 0.6);
        EXPECT_EQ(t.env.shell->started, std::vector<QString>{after.fileName()});
        EXPECT_EQ(t.errors.size(), 1u);
        EXPECT_EQ(LogLines(t, "StopSuccess"), 1);
    }
    PrivatePulse pulse;
    ASSERT_TRUE(pulse.Running()) << pulse.Error().toStdString();
    PacedPipeSource source(pulse, "tone", Tone);
    ASSERT_TRUE(source.Ready());
    const QDateTime start = t.Add(FormatType::wave, 3, 3, false, "second");
    const QString file = t.WaitForFile(start.addSecs(10), "second");
    ASSERT_FALSE(file.isEmpty());
    const WaveFile w = WaveFile::Read(file);
    EXPECT_TRUE(w.SizesMatch());
    EXPECT_EQ(w.dataSize, 3u * 176400);
    EXPECT_EQ(t.errors.size(), 1u);
}

// The real-time MP3 encoder is killed two seconds into a six-second recording: the recording
// stops, its part is closed and reported, what was encoded plays, the error is reported once,
// and the hibernation the schedule asked for still follows. The next schedule records.
TEST(Faults, EncoderKilledMidRecording)
{
    PrivatePulse pulse;
    ASSERT_TRUE(pulse.Running()) << pulse.Error().toStdString();
    PacedPipeSource source(pulse, "tone", Tone);
    ASSERT_TRUE(source.Ready());
    LiveTimetable t;
    QStringList finished;
    QObject::connect(t.c.get(), &ClsController::OnCaptureFileFinished, [&](const QString &f) { finished << f; });
    const QDateTime start = t.Add(FormatType::MP3, 3, 6, true, "live");
    t.last->setHibernate(true);
    LiveTimetable::Wait(int(QDateTime::currentDateTime().msecsTo(start)) + 2000);
    ASSERT_TRUE(t.c->IsCapturing());
    const pid_t server = EncoderServer();
    ASSERT_NE(server, 0);
    ::kill(server, SIGKILL);
    const QString file = t.WaitForFile(start.addSecs(5), "live");
    EXPECT_LT(QDateTime::currentDateTime(), start.addSecs(5));
    EXPECT_EQ(t.c->Status(), tolvane::Status::Idle);
    EXPECT_FALSE(t.c->CaptureFinishing());
    ASSERT_FALSE(file.isEmpty());
    EXPECT_EQ(finished, QStringList{file});
    EXPECT_EQ(t.errors.size(), 1u);
    EXPECT_EQ(t.env.power->actions, std::vector<RecordingPower::Action>{RecordingPower::Action::Hibernate});
    const MediaFile m = MediaFile::Read(file);
    ASSERT_TRUE(m.probed) << m.errors.toStdString();
    EXPECT_EQ(m.codecName, "mp3");
    EXPECT_GT(m.DecodedSeconds(), 1.0);

    const QDateTime next = t.Add(FormatType::MP3, 3, 3, true, "next");
    const QString second = t.WaitForFile(next.addSecs(10), "next");
    ASSERT_FALSE(second.isEmpty());
    EXPECT_NEAR(MediaFile::Read(second).DecodedSeconds(), 3.0, 0.1);
    EXPECT_EQ(t.errors.size(), 1u);
}
