// Whole recordings through the real pieces: the controller on its timetable (a simulated clock,
// ticks fired by hand), the real capture pipeline on the private sound server or on the
// generated source, and the real MP3 encoder server.

#include "core/capture/CaptureFactory.h"
#include "core/controller/ClsController.h"
#include "core/encoder/EncordaFactory.h"
#include "tests/support/PrivatePulse.h"
#include "tests/support/TestServices.h"
#include "tests/support/WaveFile.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>

#include <gtest/gtest.h>

#include <cmath>
#include <csignal>
#include <dirent.h>
#include <unistd.h>

using namespace tolvane;
using namespace tolvane::test;

namespace {

QDateTime At(int h, int m, int s)
{
    return QDateTime(QDate(2024, 3, 4), QTime(h, m, s));
}

// A controller on the real capture pipeline and encoder, with the clock in the test's hands.
class EndToEnd : public ::testing::Test {
protected:
    void Build(const SoundSourceConfig &source)
    {
        env.services->encoderFactory = std::make_shared<EncordaFactory>();
        env.services->captureFactory = std::make_shared<CaptureFactory>(env.services, source, env.services->encoderFactory);
        c = std::make_unique<ClsController>(env.services);
        QObject::connect(c.get(), &ClsController::OnError, [this](const NumberedError &e) {
            errors.push_back(e);
            ADD_FAILURE() << "OnError " << e.Number() << ": " << e.Description().toStdString();
        });
        QObject::connect(c.get(), &ClsController::OnCaptureFileFinished, [this](const QString &f) { files << f; });
        QObject::connect(c.get(), &ClsController::OnArriveWaveData16, [this](std::vector<qint16> &) { ++levelEvents; });
        c->Setup();
        c->setDefaultSavePath(env.Path("rec"));
    }

    std::shared_ptr<ClsSchedule> Add(const QString &name, const QString &start, const QString &end, FormatType f)
    {
        auto s = c->CreateNewSchedule();
        s->setName(name);
        s->setFileName("\\N");
        s->setSavePath("");
        s->setStartTime(start);
        s->setEndTime(end);
        s->setRecordingFormat(f);
        for (int d = 0; d < 7; ++d)
            s->setStartDay(d, 1);
        c->AddSchedule2List(s);
        return s;
    }

    void Tick(const QDateTime &t)
    {
        env.clock->Set(t);
        env.timer->Fire();
    }

    // Lets real time pass (the sound arrives through the event loop), moving the simulated clock
    // on with it and ticking every 100 ms, until `done` or the deadline.
    template <typename Done>
    bool RunUntil(Done done, int ms)
    {
        const QDeadlineTimer deadline(ms);
        const QDateTime start = env.clock->Now();
        QElapsedTimer elapsed;
        elapsed.start();
        while (!done() && !deadline.hasExpired()) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
            env.clock->Set(start.addMSecs(elapsed.elapsed()));
            env.timer->Fire();
        }
        return done();
    }

    TestEnv env{At(6, 59, 59)};
    std::unique_ptr<ClsController> c;
    std::vector<NumberedError> errors;
    QStringList files;
    int levelEvents = 0;
};

QString Probe(const QString &file, const QString &entries)
{
    QProcess p;
    p.start("ffprobe", {"-v", "error", "-show_entries", entries, "-of", "default=nw=1", file});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

double ProbeDuration(const QString &file)
{
    QProcess p;
    p.start("ffprobe", {"-v", "error", "-show_entries", "format=duration", "-of", "default=nw=1:nk=1", file});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed().toDouble();
}

// The encorda processes this test started (children of this process).
std::vector<pid_t> EncordaChildren()
{
    std::vector<pid_t> pids;
    DIR *proc = opendir("/proc");
    while (dirent *e = proc ? readdir(proc) : nullptr) {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(e->d_name));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        const QByteArray s = stat.readAll();
        const qsizetype close = s.lastIndexOf(')');
        const QList<QByteArray> fields = s.mid(close + 2).split(' ');
        if (s.contains("(encorda)") && fields.size() > 1 && fields[1].toInt() == getpid())
            pids.push_back(static_cast<pid_t>(QByteArray(e->d_name).toInt()));
    }
    if (proc)
        closedir(proc);
    return pids;
}

}  // namespace

// Ten seconds of the server's sine, ended by counting samples: exactly 10 s of sound, the
// sine's frequency and level, and level events on the way.
TEST_F(EndToEnd, TimetableWaveRecordingOfTheSine)
{
    PrivatePulse pulse(1000);
    ASSERT_TRUE(pulse.Running()) << pulse.Error().toStdString();
    Build(SoundSourceConfig{});
    Add("sine", "07:00:00", "07:00:10", FormatType::wave);
    Tick(At(7, 0, 0));
    ASSERT_EQ(c->Status(), tolvane::Status::PresetWave);
    ASSERT_TRUE(RunUntil([&] { return !files.isEmpty(); }, 30000));
    EXPECT_EQ(c->Status(), tolvane::Status::Idle);
    EXPECT_GE(levelEvents, 5);  // the server delivers in bursts, not always every half second

    const QString file = files.first();
    EXPECT_EQ(file, env.Path("rec/sine.WAV"));
    const WaveFile w = WaveFile::Read(file);
    ASSERT_TRUE(w.SizesMatch());
    EXPECT_EQ(w.dataSize, 10u * 44100 * 2 * 2);
    EXPECT_TRUE(Probe(file, "stream=codec_name,sample_rate,channels").contains("codec_name=pcm_s16le\nsample_rate=44100\nchannels=2"));
    EXPECT_NEAR(ProbeDuration(file), 10.0, 0.001);

    // The middle second: 1000 rising zero crossings and the daemon's half-scale level.
    const std::vector<qint16> s = w.Samples16();
    int crossings = 0, peak = 0;
    for (size_t i = 2 * 44100 * 4; i + 2 < 2 * 44100 * 5; i += 2) {
        if (s[i] < 0 && s[i + 2] >= 0)
            ++crossings;
        peak = std::max(peak, std::abs(int(s[i])));
    }
    EXPECT_NEAR(crossings, 1000, 2);
    EXPECT_NEAR(20 * std::log10(peak / 32768.0), -6.0, 0.5);
}

// An MP3 recording encoded after it ends, deleting its WAVE file, and one encoded while it
// runs: both leave MP3 files of the planned length.
TEST_F(EndToEnd, Mp3AfterTheRecordingAndWhileItRuns)
{
    PrivatePulse pulse(1000);
    ASSERT_TRUE(pulse.Running()) << pulse.Error().toStdString();
    Build(SoundSourceConfig{});
    ASSERT_TRUE(c->UseGOGO);
    auto after = Add("after", "07:00:00", "07:00:05", FormatType::MP3);
    after->MP3()->setMP3DeleteWavFile(true);
    auto live = Add("live", "07:00:10", "07:00:15", FormatType::MP3);
    live->MP3()->setMP3RealTime(true);

    Tick(At(7, 0, 0));
    ASSERT_TRUE(RunUntil([&] { return !files.isEmpty() && !c->WaitForGOGO(); }, 30000));
    EXPECT_TRUE(QFile::exists(env.Path("rec/after.mp3")));
    EXPECT_FALSE(QFile::exists(env.Path("rec/after.WAV")));  // deleted after the successful encode
    EXPECT_NEAR(ProbeDuration(env.Path("rec/after.mp3")), 5.0, 0.06);

    Tick(At(7, 0, 10));
    ASSERT_EQ(c->Status(), tolvane::Status::PresetWave);
    ASSERT_TRUE(RunUntil([&] { return files.size() == 2; }, 30000));
    EXPECT_EQ(files.last(), env.Path("rec/live.mp3"));
    EXPECT_NEAR(ProbeDuration(env.Path("rec/live.mp3")), 5.0, 0.06);
    EXPECT_TRUE(Probe(env.Path("rec/live.mp3"), "stream=codec_name").contains("codec_name=mp3"));
    EXPECT_TRUE(errors.empty());
}

// Two long recordings whose files arrive while the first is encoded are encoded in order;
// killing the encoder mid-encode reports it, puts the first WAVE file back, and the next is
// still encoded.
TEST_F(EndToEnd, EncodeQueueSurvivesAKilledEncoder)
{
    Build(SoundSourceConfig::Parse("generated:tone=440@-10;pace=fast"));
    QObject::disconnect(c.get(), &ClsController::OnError, nullptr, nullptr);
    QObject::connect(c.get(), &ClsController::OnError, [this](const NumberedError &e) { errors.push_back(e); });
    Add("first", "07:00:00", "07:08:00", FormatType::MP3);
    Add("second", "07:10:00", "07:12:00", FormatType::MP3);

    Tick(At(7, 0, 0));
    ASSERT_TRUE(RunUntil([&] { return !files.isEmpty(); }, 30000));
    Tick(At(7, 10, 0));
    ASSERT_TRUE(RunUntil([&] { return files.size() == 2; }, 30000));
    ASSERT_TRUE(c->WaitForGOGO());
    EXPECT_FALSE(QFile::exists(env.Path("rec/second.mp3")));  // waits its turn

    RunUntil([] { return false; }, 500);
    const std::vector<pid_t> encoders = EncordaChildren();
    ASSERT_FALSE(encoders.empty());
    for (pid_t p : encoders)
        ::kill(p, SIGKILL);
    ASSERT_TRUE(RunUntil([&] { return !c->WaitForGOGO(); }, 60000));
    ASSERT_FALSE(errors.empty());
    EXPECT_TRUE(QFile::exists(env.Path("rec/first.WAV")));
    EXPECT_FALSE(QFile::exists(env.Path("rec/first.mp3")));
    EXPECT_TRUE(QFile::exists(env.Path("rec/second.mp3")));
    EXPECT_NEAR(ProbeDuration(env.Path("rec/second.mp3")), 120.0, 0.06);
}

// A real-time MP3 recording with end trimming through ten minutes of exact silence (26 MB,
// more than one message to the encoder may carry): the silence is held back, then encoded in
// pieces while the recording goes on, and the MP3 holds the whole recording.
TEST_F(EndToEnd, RealTimeMp3ThroughTenMinutesOfHeldSilence)
{
    Build(SoundSourceConfig::Parse("generated:tone=1000@-6*2,silence*600,tone=1000@-6;pace=fast"));
    auto s = Add("quiet", "07:00:00", "07:10:10", FormatType::MP3);
    s->MP3()->setMP3RealTime(true);
    s->WaveSetting()->setENSValid(true);
    s->WaveSetting()->setFrequency(Frequency::Mi22050Hz);
    s->WaveSetting()->setChannel(Channel::mono);
    Tick(At(7, 0, 0));
    ASSERT_EQ(c->Status(), tolvane::Status::PresetWave);
    ASSERT_TRUE(RunUntil([&] { return !files.isEmpty(); }, 120000));
    EXPECT_EQ(files, QStringList{env.Path("rec/quiet.mp3")});
    // The end is padded to a whole input frame of 1152 samples (52 ms at 22.05 kHz).
    EXPECT_NEAR(ProbeDuration(env.Path("rec/quiet.mp3")), 610.0, 0.1);
    EXPECT_TRUE(errors.empty());
}
