#include "core/capture/AlsaSoundSource.h"
#include "core/capture/ClsWaveCapture2File.h"
#include "mixer/alsa/SoundDeviceList.h"
#include "tests/support/PacedPipeSource.h"
#include "tests/support/PrivatePulse.h"
#include "tests/support/TestServices.h"
#include "tests/support/WaveFile.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QEventLoop>
#include <QProcess>
#include <QThread>
#include <QTimer>

#include <gtest/gtest.h>

#include <cmath>

using namespace tolvane;
using tolvane::test::PacedPipeSource;
using tolvane::test::PrivatePulse;
using tolvane::test::TestEnv;
using tolvane::test::WaveFile;

namespace {

// A recording through the pipeline on the sound card, ended by counting samples as the
// controller does: the block that reaches the planned length is cut, later ones are emptied.
struct CardRecording {
    TestEnv env;
    std::shared_ptr<ClsSchedule> schedule = std::make_shared<ClsSchedule>(env.services);
    AlsaSoundSource *source = nullptr;
    ClsWaveCapture2File pipeline{env.services,
                                 [this](const SourceChoice &) {
                                     auto s = std::make_unique<AlsaSoundSource>(env.notifier);
                                     source = s.get();
                                     return s;
                                 },
                                 nullptr};
    QStringList finished;

    // Records `seconds` of 44100 Hz 16-bit stereo; onBlock sees every block first.
    void Record(qint64 seconds, double bufferLength, const std::function<void(std::vector<qint16> &)> &onBlock = {})
    {
        const qint64 planned = seconds * 44100 * 2;
        qint64 captured = 0;
        QObject::connect(&pipeline, &ICapturePipeline::ArriveWaveData16, [&](std::vector<qint16> &block) {
            if (onBlock)
                onBlock(block);
            if (captured >= planned) {
                block.assign(1, 0);
                return;
            }
            if (captured + qint64(block.size()) >= planned) {
                block.resize(size_t(planned - captured));
                QTimer::singleShot(0, &pipeline, [this] { pipeline.StopCapture(); });
            }
            captured += qint64(block.size());
        });
        QEventLoop loop;
        QObject::connect(&pipeline, &ICapturePipeline::FinishCapture, [&](const QString &path) {
            finished << path;
            loop.quit();
        });
        schedule->setFileName("card");
        uCaptureSetting setting{schedule, bufferLength, 0, env.dir.path(), {}, {}};
        pipeline.SetParameter(setting);
        pipeline.StartCapture(env.clock->Now());
        QTimer::singleShot(int(seconds + 20) * 1000, &loop, &QEventLoop::quit);
        loop.exec();
    }
};

}  // namespace

// Ten seconds of the server's 1 kHz sine through ALSA's pulse plugin, chosen from the shared
// device list, make a WAVE file of exactly 10 s that sox and ffprobe read, with the sine in it.
TEST(AlsaCapture, TenSecondsOfTheServersSine)
{
    PrivatePulse pulse(1000);
    ASSERT_TRUE(pulse.Running()) << pulse.Error().toStdString();
    CardRecording r;
    const auto devices = SoundDeviceList::Current();
    ASSERT_FALSE(devices.empty());
    r.schedule->setUseSystemSourceDevice(false);
    r.schedule->setDeviceID(qint32(devices.size()) - 1);
    r.Record(10, 1);
    ASSERT_EQ(r.finished.size(), 1);
    EXPECT_EQ(r.pipeline.Capturer(), nullptr);

    const WaveFile w = WaveFile::Read(r.finished[0]);
    ASSERT_TRUE(w.SizesMatch());
    const auto s = w.Samples16();
    ASSERT_EQ(s.size(), 10u * 44100 * 2);

    // Rising zero crossings of the left channel give the frequency; RMS and peak the level.
    // The daemon's sine source plays at half of full scale.
    int rising = 0;
    double sum = 0;
    int peak = 0;
    for (size_t i = 2; i < s.size(); i += 2) {
        rising += s[i - 2] < 0 && s[i] >= 0;
        sum += double(s[i]) * s[i];
        peak = std::max(peak, std::abs(int(s[i])));
    }
    EXPECT_NEAR(rising / 10.0, 1000, 1);
    EXPECT_NEAR(peak, 16384, 164);
    EXPECT_NEAR(std::sqrt(sum / double(s.size() / 2)), 16384 / std::sqrt(2.0), 116);

    QProcess sox;
    sox.start("sox", {"--i", r.finished[0]});
    ASSERT_TRUE(sox.waitForFinished(10000));
    EXPECT_EQ(sox.exitCode(), 0);
    const QString info = QString::fromUtf8(sox.readAllStandardOutput());
    EXPECT_TRUE(info.contains(QRegularExpression("Channels\\s*: 2"))) << info.toStdString();
    EXPECT_TRUE(info.contains(QRegularExpression("Sample Rate\\s*: 44100"))) << info.toStdString();
    EXPECT_TRUE(info.contains("= 441000 samples")) << info.toStdString();

    QProcess ffprobe;
    ffprobe.start("ffprobe", {"-v", "error", "-show_entries", "stream=codec_name,sample_rate,channels,duration", "-of",
                              "default=noprint_wrappers=1", r.finished[0]});
    ASSERT_TRUE(ffprobe.waitForFinished(10000));
    EXPECT_EQ(ffprobe.exitCode(), 0);
    EXPECT_EQ(QString::fromUtf8(ffprobe.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts),
              (QStringList{"codec_name=pcm_s16le", "sample_rate=44100", "channels=2", "duration=10.000000"}));
}

// With a ring of 4 s and the main thread blocked for 3 s during a recording, the file still
// holds every sample: the server plays a counter, and the file counts on without a gap.
TEST(AlsaCapture, BusyMainThreadLosesNothing)
{
    PrivatePulse pulse;
    ASSERT_TRUE(pulse.Running()) << pulse.Error().toStdString();
    // The counter in the left channel, its complement in the right.
    PacedPipeSource count(pulse, "count", [](qint64 frame, int channel) {
        return channel == 0 ? quint16(frame) : quint16(~quint16(frame));
    });
    ASSERT_TRUE(count.Ready());

    CardRecording r;
    int blocks = 0;
    qint64 lostFrames = -1;
    r.Record(8, 4, [&](std::vector<qint16> &) {
        if (++blocks == 4)
            QThread::sleep(3);
        lostFrames = r.source->FramesLost() + r.source->Overruns();
    });

    ASSERT_EQ(r.finished.size(), 1);
    const auto s = WaveFile::Read(r.finished[0]).Samples16();
    ASSERT_EQ(s.size(), 8u * 44100 * 2);
    size_t gaps = 0;
    for (size_t i = 0; i + 1 < s.size(); i += 2) {
        gaps += quint16(s[i + 1]) != quint16(~quint16(s[i]));
        if (i >= 2)
            gaps += quint16(s[i]) != quint16(quint16(s[i - 2]) + 1);
    }
    EXPECT_EQ(gaps, 0u);
    EXPECT_EQ(lostFrames, 0);
}

// A device number outside the shared list is refused when the capture is prepared.
TEST(AlsaCapture, UnknownDeviceIsRefused)
{
    TestEnv env;
    AlsaSoundSource source(env.notifier);
    try {
        source.SetParameter(Bit::Hi16bit, Frequency::Hi44100Hz, Channel::Stereo, 1, false, 1000);
        FAIL() << "no error";
    } catch (const NumberedError &e) {
        EXPECT_EQ(e.Number(), ErrNo::SubscriptOutOfRange);
    }
}
