// Recording a source of the sound server chosen by its name: the monitor of an output, under
// PulseAudio and under PipeWire, and a source that has gone, which gives way to the system's
// input with one warning.

#include "mixer/alsa/SoundDeviceList.h"
#include "tests/support/LiveTimetable.h"
#include "tests/support/MediaFile.h"
#include "tests/support/PrivatePipeWire.h"
#include "tests/support/PrivatePulse.h"

#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

#include <memory>

using namespace tolvane;
using tolvane::test::LiveTimetable;
using tolvane::test::MediaFile;
using tolvane::test::PrivatePipeWire;
using tolvane::test::PrivatePulse;
using tolvane::test::SoundServer;

namespace {

// Plays a 440 Hz tone into the server's sink "null" for as long as it lives.
class TonePlayer {
public:
    explicit TonePlayer(const QString &folder)
    {
        const QString file = folder + "/tone.wav";
        QProcess::execute("sox", {"-n", "-r", "44100", "-c", "2", "-b", "16", file, "synth", "30", "sine", "440"});
        m_player.start("paplay", {"--device=null", file});
        m_player.waitForStarted(5000);
    }
    ~TonePlayer()
    {
        m_player.kill();
        m_player.waitForFinished(5000);
    }

private:
    QProcess m_player;
};

// A three-second WAVE recording starting two seconds from now, from the server's source `name`.
void RecordFrom(LiveTimetable &t, const QString &name)
{
    t.Add(FormatType::wave, 2, 3);
    t.last->setUseSystemSourceDevice(false);
    t.last->setServerSource(name);
    t.last->setSourceLineIndex(-1);
}

}  // namespace

// While a tone plays into an output, a schedule that records the output's monitor holds the
// tone (the server's default source is something else) and exactly its length.
TEST(ServerSource, MonitorOfAnOutputUnderBothServers)
{
    for (const bool pipewire : {false, true}) {
        SCOPED_TRACE(pipewire ? "PipeWire" : "PulseAudio");
        std::unique_ptr<SoundServer> server;
        if (pipewire) {
            auto pw = std::make_unique<PrivatePipeWire>();
            ASSERT_TRUE(pw->Running()) << pw->Error().toStdString();
            ASSERT_FALSE(pw->Pactl({"load-module", "module-null-sink", "sink_name=null"}).isEmpty());
            server = std::move(pw);
        } else {
            auto pulse = std::make_unique<PrivatePulse>();
            ASSERT_TRUE(pulse->Running()) << pulse->Error().toStdString();
            server = std::move(pulse);
        }
        LiveTimetable t;
        ASSERT_TRUE(SoundDeviceList::FindServerSource(SoundDeviceList::Current(), "null.monitor"));
        std::vector<QString> warnings;
        QObject::connect(t.c.get(), &ClsController::OnWarning, [&](const QString &w) { warnings.push_back(w); });
        const TonePlayer tone(t.env.dir.path());
        RecordFrom(t, "null.monitor");
        const QString file = t.WaitForFile(QDateTime::currentDateTime().addSecs(12));
        ASSERT_FALSE(file.isEmpty());
        EXPECT_TRUE(t.errors.empty()) << t.errors.front().Description().toStdString();
        EXPECT_TRUE(warnings.empty());
        const MediaFile m = MediaFile::Read(file);
        ASSERT_TRUE(m.probed) << m.errors.toStdString();
        EXPECT_EQ(m.firstChannel.size(), size_t(3 * 44100));
        EXPECT_NEAR(m.ToneFrequency(), 440, 2);
    }
}

// A source that has gone since it was chosen: the recording is made from the system's input
// (the server's 1000 Hz sine), with one warning and one line in the log.
TEST(ServerSource, GoneSourceGivesWayToTheSystemsInput)
{
    PrivatePulse pulse;
    ASSERT_TRUE(pulse.Running()) << pulse.Error().toStdString();
    LiveTimetable t;
    t.c->gMakeLog = true;
    std::vector<QString> warnings;
    QObject::connect(t.c.get(), &ClsController::OnWarning, [&](const QString &w) { warnings.push_back(w); });
    RecordFrom(t, "gone.monitor");
    const QString file = t.WaitForFile(QDateTime::currentDateTime().addSecs(12));
    ASSERT_FALSE(file.isEmpty());
    EXPECT_TRUE(t.errors.empty()) << t.errors.front().Description().toStdString();
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_TRUE(warnings[0].contains("gone.monitor")) << warnings[0].toStdString();
    const MediaFile m = MediaFile::Read(file);
    EXPECT_EQ(m.firstChannel.size(), size_t(3 * 44100));
    EXPECT_NEAR(m.ToneFrequency(), 1000, 2);
    QFile log(t.env.Path("rec.log"));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(log.readAll()).count("SourceMissing gone.monitor"), 1);
}
