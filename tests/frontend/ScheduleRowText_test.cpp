// The format cell for each kind of output, and the cut cell for each pair of switches.

#include "frontend/ScheduleRowText.h"
#include "tests/support/TestServices.h"

#include <gtest/gtest.h>

using namespace tolvane;

namespace {

TEST(ScheduleRowText, FormatCell)
{
    test::TestEnv env;
    ClsSchedule s(env.services);
    EXPECT_EQ(RowText::Format(s), QStringLiteral("WAVE形式16bit44100Hz2Ch"));

    s.setRecordingFormat(FormatType::MP3);
    EXPECT_EQ(RowText::Format(s), QStringLiteral("MP3CBR128kbpsWAVE形式16bit44100Hz2Ch"));

    // 22050 Hz takes the MPEG-2 bit rate; a forced mono encode says so.
    s.WaveSetting()->setFrequency(Frequency::Mi22050Hz);
    s.WaveSetting()->setBit(Bit::lo8bit);
    s.WaveSetting()->setChannel(Channel::mono);
    s.MP3()->setMP3Stereo(0);
    EXPECT_EQ(RowText::Format(s), QStringLiteral("MP3CBR80kbps強制モノラルWAVE形式8bit22050Hz1Ch"));

    s.MP3()->setMP3VBR(true);
    s.MP3()->setMP3VBRQuality(4);
    s.MP3()->setMP3Stereo(1);
    s.WaveSetting()->setFrequency(Frequency::Ex48000Hz);
    EXPECT_EQ(RowText::Format(s), QStringLiteral("MP3VBR4WAVE形式8bit48000Hz1Ch"));

    s.WaveSetting()->setFrequency(Frequency::Lo11025Hz);
    s.setRecordingFormat(FormatType::wave);
    EXPECT_EQ(RowText::Format(s), QStringLiteral("WAVE形式8bit11025Hz1Ch"));

    s.setRecordingFormat(FormatType::windowsmedia);
    s.setWMEFilePath(QStringLiteral("/home/u/wme/talk.wme"));
    EXPECT_EQ(RowText::Format(s), QStringLiteral("WindowsMedia形式/home/u/wme/talk.wme"));
}

TEST(ScheduleRowText, CutAndDayCells)
{
    test::TestEnv env;
    ClsSchedule s(env.services);
    EXPECT_EQ(RowText::Days(s), QString());
    s.setStartDay(0, 1);
    s.setStartDay(6, 1);
    EXPECT_EQ(RowText::Days(s), QStringLiteral("日土"));

    s.WaveSetting()->setENSValid(true);
    EXPECT_EQ(RowText::Cut(s), QStringLiteral("後カット"));
    s.WaveSetting()->setSNSValid(true);
    EXPECT_EQ(RowText::Cut(s), QStringLiteral("前後カット"));
    s.setSavePath(QStringLiteral("/music"));
    EXPECT_EQ(RowText::SavePath(s, QStringLiteral("/default")), QStringLiteral("/music"));
}

}  // namespace
