#include "common/NumberedError.h"
#include "core/capture/ClsWaveWriter.h"
#include "core/capture/GeneratedSoundSource.h"
#include "core/capture/SoundSourceConfig.h"
#include "tests/support/TestServices.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

using namespace tolvane;
using tolvane::test::TestEnv;
using Segment = GeneratedSoundSource::Segment;

namespace {

// A source on manual pace with its events recorded in order: "8:n" and "16:n" for buffer
// events with n samples, "finish" for FinishCapture.
class SourceTest : public ::testing::Test {
protected:
    explicit SourceTest(std::vector<Segment> script = {Segment::Tone(1000, -6)})
        : source(std::move(script), GeneratedSoundSource::Pace::Manual, env.notifier)
    {
        QObject::connect(&source, &SoundSource::ArriveReadableBuffer16, [this] {
            const std::vector<qint16> block = source.WaveData16();
            events.push_back("16:" + std::to_string(block.size()));
            samples.insert(samples.end(), block.begin(), block.end());
        });
        QObject::connect(&source, &SoundSource::ArriveReadableBuffer8,
                         [this] { events.push_back("8:" + std::to_string(source.WaveData8().size())); });
        QObject::connect(&source, &SoundSource::FinishCapture, [this] { events.push_back("finish"); });
    }

    void Start(Frequency f = Frequency::Hi44100Hz, Channel c = Channel::Stereo, Bit b = Bit::Hi16bit)
    {
        source.SetParameter(b, f, c, 2, true, 0);
        source.StartSchedule();
    }

    TestEnv env;
    GeneratedSoundSource source;
    std::vector<std::string> events;
    std::vector<qint16> samples;
};

}  // namespace

// The format and the ring follow the wave setting: 44100 Hz stereo 16-bit with 4 s gives
// 176400 bytes a second and 705600 bytes of ring; ring bytes round half to even.
TEST(DescribeCapture, DerivesFormatAndRing)
{
    const CaptureBufferDesc d = DescribeCapture(Bit::Hi16bit, Frequency::Hi44100Hz, Channel::Stereo, 4);
    EXPECT_EQ(d.Format, (WaveFormat{1, 2, 44100, 176400, 4, 16}));
    EXPECT_EQ(d.BufferBytes, 705600u);
    const CaptureBufferDesc m = DescribeCapture(Bit::lo8bit, Frequency::Lo11025Hz, Channel::mono, 1.5);
    EXPECT_EQ(m.Format, (WaveFormat{1, 1, 11025, 11025, 1, 8}));
    EXPECT_EQ(m.BufferBytes, 16538u);  // 16537.5
    EXPECT_EQ(DescribeCapture(Bit::Hi16bit, Frequency::Ex48000Hz, Channel::mono, 1).Format.AvgBytesPerSec, 96000u);
    EXPECT_THROW(DescribeCapture(Bit::Hi16bit, Frequency(7), Channel::mono, 1), NumberedError);
    EXPECT_THROW(DescribeCapture(Bit::Hi16bit, Frequency::Hi44100Hz, Channel::mono, 0), NumberedError);
}

// Half-second blocks alternate in length at an odd rate so that two seconds are exact.
TEST_F(SourceTest, HalfSecondBlocksAddUpExactly)
{
    Start(Frequency::Lo11025Hz, Channel::mono);
    for (int i = 0; i < 4; ++i)
        source.Pump();
    EXPECT_EQ(events, (std::vector<std::string>{"16:5512", "16:5513", "16:5512", "16:5513"}));
    EXPECT_EQ(source.FramesCaptured(), 22050);
}

// After StopSchedule come exactly one more block (what was captured since the last wake-up)
// and then FinishCapture, through the event loop; nothing after that.
TEST_F(SourceTest, StopDeliversLastBlockThenFinish)
{
    Start();
    source.Pump();
    source.Advance(100);
    source.StopSchedule();
    EXPECT_EQ(events.size(), 1u);
    QCoreApplication::processEvents();
    EXPECT_EQ(events, (std::vector<std::string>{"16:44100", "16:200", "finish"}));
    source.Pump();
    source.StopSchedule();
    QCoreApplication::processEvents();
    EXPECT_EQ(events.size(), 3u);
}

// When nothing was captured since the last wake-up the stop brings no invented block.
TEST_F(SourceTest, StopWithNothingNewOnlyFinishes)
{
    Start();
    source.Pump();
    source.StopSchedule();
    QCoreApplication::processEvents();
    EXPECT_EQ(events, (std::vector<std::string>{"16:44100", "finish"}));
}

// A wake-up while a listener still works on the last block is dropped, and its audio comes
// with the next one; a stop that arrives meanwhile is kept and finishes afterwards.
TEST_F(SourceTest, BusyListenerLosesNothing)
{
    Start(Frequency::Lo11025Hz, Channel::mono);
    bool nested = false;
    QObject::connect(&source, &SoundSource::ArriveReadableBuffer16, [&] {
        if (nested)
            return;
        nested = true;
        source.Pump();  // as if the next notification came while a message box is open
        source.StopSchedule();
        QCoreApplication::processEvents();
    });
    source.Pump();
    EXPECT_EQ(events, (std::vector<std::string>{"16:5512", "16:5513", "finish"}));

    // The samples of the two blocks follow on without a gap: one continuous 1 kHz tone.
    GeneratedSoundSource reference({Segment::Tone(1000, -6)}, GeneratedSoundSource::Pace::Manual, env.notifier);
    std::vector<qint16> expected;
    QObject::connect(&reference, &SoundSource::ArriveReadableBuffer16, [&] {
        const std::vector<qint16> block = reference.WaveData16();
        expected.insert(expected.end(), block.begin(), block.end());
    });
    reference.SetParameter(Bit::Hi16bit, Frequency::Lo11025Hz, Channel::mono, 2, true, 0);
    reference.StartSchedule();
    reference.Advance(11025);
    reference.StopSchedule();
    QCoreApplication::processEvents();
    EXPECT_EQ(samples, expected);
}

// A listener that cannot take a block makes the source tell the user and stop: a file error
// with the file message, any other with its number and description.
TEST_F(SourceTest, ListenerErrorStopsWithMessage)
{
    Start();
    qint32 number = ErrNo::PathFileAccess;
    QObject::connect(&source, &SoundSource::ArriveReadableBuffer16,
                     [&] { source.ReportListenerError(NumberedError(number, "cannot open x.WAV")); });
    source.Pump();
    QCoreApplication::processEvents();
    EXPECT_EQ(events.back(), "finish");
    ASSERT_EQ(env.notifier->messages.size(), 1u);
    EXPECT_EQ(env.notifier->messages[0].text,
              QStringLiteral("ファイルが開けませんでした。書き込み可能なドライブを選択しているか確認して下さい。"));
    EXPECT_EQ(env.notifier->messages[0].icon, MessageIcon::Critical);

    number = ErrNo::Overflow;
    events.clear();
    Start();
    source.Pump();
    QCoreApplication::processEvents();
    EXPECT_EQ(events, (std::vector<std::string>{"16:44100", "finish"}));
    ASSERT_EQ(env.notifier->messages.size(), 2u);
    EXPECT_EQ(env.notifier->messages[1].text,
              QStringLiteral("DirectXコールバック発生時に予期せぬエラーが発生しました。エラー番号は6です。\ncannot open x.WAV"));
}

// 8-bit capture delivers bytes around 128; silence after the script is at that level.
TEST(GeneratedSoundSource, EightBitAndScriptEnd)
{
    TestEnv env;
    GeneratedSoundSource source({Segment::Tone(441, 0, 0.01)}, GeneratedSoundSource::Pace::Manual, env.notifier);
    std::vector<quint8> got;
    QObject::connect(&source, &SoundSource::ArriveReadableBuffer8, [&] {
        const std::vector<quint8> block = source.WaveData8();
        got.insert(got.end(), block.begin(), block.end());
    });
    source.SetParameter(Bit::lo8bit, Frequency::Mi22050Hz, Channel::mono, 2, false, 3);
    source.StartSchedule();
    source.Pump();
    ASSERT_EQ(got.size(), 11025u);
    EXPECT_EQ(got[0], 128);
    EXPECT_EQ(got[12], 255);  // a quarter period of 441 Hz at full scale, clipped
    EXPECT_EQ(*std::min_element(got.begin(), got.begin() + 221), 0);
    // 220.5 frames of tone round to 221, then silence.
    EXPECT_NE(got[220], 128);
    EXPECT_TRUE(std::all_of(got.begin() + 221, got.end(), [](quint8 b) { return b == 128; }));
}

// A WAVE file plays back sample for sample; one in another format is refused at SetParameter.
TEST(GeneratedSoundSource, PlaysWaveFiles)
{
    TestEnv env;
    ClsWaveWriter writer(env.clock);
    const WaveFormat format = DescribeCapture(Bit::Hi16bit, Frequency::Lo11025Hz, Channel::Stereo, 1).Format;
    const QString path = writer.OpenFile(env.dir.path(), format, "in");
    writer.Write16({1, -1, 2, -2, 3, -3});
    writer.CloseFile();

    GeneratedSoundSource source({Segment::File(path), Segment::Tone(1000, -6, 0.001)},
                                GeneratedSoundSource::Pace::Manual, env.notifier);
    std::vector<qint16> got;
    QObject::connect(&source, &SoundSource::ArriveReadableBuffer16, [&] {
        const std::vector<qint16> block = source.WaveData16();
        got.assign(block.begin(), block.begin() + 10);
    });
    source.SetParameter(Bit::Hi16bit, Frequency::Lo11025Hz, Channel::Stereo, 2, true, 0);
    source.StartSchedule();
    source.Pump();
    const auto second = qint16(std::lround(32768 * std::pow(10, -6 / 20.0) * std::sin(2 * std::numbers::pi * 1000 / 11025)));
    EXPECT_EQ(got, (std::vector<qint16>{1, -1, 2, -2, 3, -3, 0, 0, second, second}));

    EXPECT_THROW(source.SetParameter(Bit::Hi16bit, Frequency::Lo11025Hz, Channel::mono, 2, true, 0), NumberedError);
}

// The configuration text chooses the source; unreadable text is an error, not the sound card.
TEST(SoundSourceConfig, ParsesTheConfigurationText)
{
    EXPECT_EQ(SoundSourceConfig::Parse("").kind, SoundSourceConfig::Kind::Alsa);
    EXPECT_EQ(SoundSourceConfig::Parse("alsa").kind, SoundSourceConfig::Kind::Alsa);

    const SoundSourceConfig c =
        SoundSourceConfig::Parse("generated:tone=1000@-6*2,silence*5.5,file=/tmp/a*b.wav,tone=440@-20;pace=fast");
    EXPECT_EQ(c.kind, SoundSourceConfig::Kind::Generated);
    EXPECT_EQ(c.pace, GeneratedSoundSource::Pace::Fast);
    ASSERT_EQ(c.script.size(), 4u);
    EXPECT_EQ(c.script[0].kind, Segment::Kind::Tone);
    EXPECT_EQ(c.script[0].frequency, 1000);
    EXPECT_EQ(c.script[0].decibels, -6);
    EXPECT_EQ(c.script[0].seconds, 2);
    EXPECT_EQ(c.script[1].kind, Segment::Kind::Silence);
    EXPECT_EQ(c.script[1].seconds, 5.5);
    EXPECT_EQ(c.script[2].kind, Segment::Kind::File);
    EXPECT_EQ(c.script[2].path, "/tmp/a*b.wav");
    EXPECT_LT(c.script[2].seconds, 0);
    EXPECT_LT(c.script[3].seconds, 0);
    EXPECT_EQ(SoundSourceConfig::Parse("generated:silence").pace, GeneratedSoundSource::Pace::RealTime);

    for (const char *bad : {"pulse", "generated:tone=1000", "generated:tone=x@1", "generated:noise",
                            "generated:silence*-1", "generated:silence;pace=slow"})
        EXPECT_THROW(SoundSourceConfig::Parse(bad), NumberedError) << bad;
}
