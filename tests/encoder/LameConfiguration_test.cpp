#include "encoder/LameConfiguration.h"

#include "encoder/protocol/Mp3EncodeSettings.h"

#include <gtest/gtest.h>

#include <ostream>

#include <memory>

namespace tolvane {
namespace {

struct Lame {
    std::unique_ptr<lame_global_flags, int (*)(lame_global_flags *)> handle{lame_init(), lame_close};
    lame_global_flags *get() const { return handle.get(); }
};

// Ties of the mono halving go to the even neighbour.
TEST(LameConfiguration, HalvesBitRatesToNearestEven)
{
    EXPECT_EQ(HalvedBitRate(128), 64);
    EXPECT_EQ(HalvedBitRate(75), 38);
    EXPECT_EQ(HalvedBitRate(73), 36);
    EXPECT_EQ(HalvedBitRate(8), 4);
}

struct BitRateCase {
    const char *name;
    qint32 stereo;
    qint32 inputRate;
    qint32 inputChannels;
    bool monoInput;
    bool setIOFreq;
    qint32 outFreq;
    qint32 expectedKbps;
    qint32 expectedOutRate;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const BitRateCase &c, std::ostream *os)
{
    *os << c.name;
}

class ConstantBitRate : public testing::TestWithParam<BitRateCase> {};

// The constant bit rate follows the output rate (MPEG-1 or MPEG-2 table) and is halved for a
// mono input; the output rate is the input's unless set. The encodes of the client's tests
// cover the other common cases.
TEST_P(ConstantBitRate, ChoosesTableAndHalvesForMono)
{
    const BitRateCase &c = GetParam();
    Mp3EncodeSettings s;
    s.MP3Stereo = c.stereo;
    s.MP3CBRMPEG1BitRate = 128;
    s.MP3CBRMPEG2BitRate = 80;
    s.MP3SetIOFreq = c.setIOFreq;
    s.MP3InFreq = 12345;  // never taken for the input's rate
    s.MP3OutFreq = c.outFreq;
    Lame lame;
    ConfigureLame(lame.get(), s, c.inputRate, c.inputChannels, c.monoInput);
    EXPECT_EQ(lame_get_VBR(lame.get()), vbr_off);
    EXPECT_EQ(lame_get_brate(lame.get()), c.expectedKbps);
    EXPECT_EQ(lame_get_out_samplerate(lame.get()), c.expectedOutRate);
    EXPECT_EQ(lame_get_in_samplerate(lame.get()), c.inputRate);
    EXPECT_EQ(lame_get_num_channels(lame.get()), c.inputChannels);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ConstantBitRate,
    testing::Values(BitRateCase{"MonoInput44100", 2, 44100, 1, true, false, 0, 64, 44100},
                    BitRateCase{"Stereo48000IsMpeg1", 1, 48000, 2, false, false, 0, 128, 48000},
                    BitRateCase{"ResampledTo22050", 1, 44100, 2, false, true, 22050, 80, 22050},
                    BitRateCase{"ResampledTo44100", 1, 22050, 2, false, true, 44100, 128, 44100}),
    [](const testing::TestParamInfo<BitRateCase> &info) { return info.param.name; });

// VBR takes the quality and, when limited, both limits halved for mono and put in order.
TEST(LameConfiguration, VariableBitRateWithLimits)
{
    Mp3EncodeSettings s;
    s.MP3VBR = true;
    s.MP3VBRQuality = 4;
    s.MP3LimitVBRBitRate = true;
    s.MP3VBRMinBitRate = 160;
    s.MP3VBRMaxBitRate = 96;
    s.MP3Stereo = 0;
    Lame lame;
    ConfigureLame(lame.get(), s, 44100, 2, false);
    EXPECT_NE(lame_get_VBR(lame.get()), vbr_off);
    EXPECT_EQ(lame_get_VBR_q(lame.get()), 4);
    EXPECT_EQ(lame_get_VBR_min_bitrate_kbps(lame.get()), 48);
    EXPECT_EQ(lame_get_VBR_max_bitrate_kbps(lame.get()), 80);
    EXPECT_EQ(lame_get_VBR_hard_min(lame.get()), 1);

    s.MP3LimitVBRBitRate = false;
    Lame unlimited;
    ConfigureLame(unlimited.get(), s, 44100, 2, false);
    EXPECT_EQ(lame_get_VBR_min_bitrate_kbps(unlimited.get()), 0);
    EXPECT_EQ(lame_get_VBR_max_bitrate_kbps(unlimited.get()), 0);
}

// Output modes, the psychoacoustics and low-pass switches and the custom band.
TEST(LameConfiguration, ModesAndFilterSwitches)
{
    const struct {
        qint32 stereo;
        MPEG_mode mode;
        int forceMs;
    } modes[] = {{0, MONO, 0}, {1, STEREO, 0}, {2, JOINT_STEREO, 0}, {3, JOINT_STEREO, 1}, {4, DUAL_CHANNEL, 0}};
    for (const auto &m : modes) {
        Mp3EncodeSettings s;
        s.MP3Stereo = m.stereo;
        Lame lame;
        ConfigureLame(lame.get(), s, 44100, 2, false);
        EXPECT_EQ(lame_get_mode(lame.get()), m.mode) << "MP3Stereo " << m.stereo;
        EXPECT_EQ(lame_get_force_ms(lame.get()), m.forceMs) << "MP3Stereo " << m.stereo;
    }

    Mp3EncodeSettings plain;
    Lame defaults;
    ConfigureLame(defaults.get(), plain, 44100, 2, false);
    EXPECT_NE(lame_get_quality(defaults.get()), 9);
    EXPECT_EQ(lame_get_lowpassfreq(defaults.get()), 0);

    Mp3EncodeSettings s;
    s.MP3NotUsePsy = true;
    s.MP3NotUseLPF = true;
    Lame switches;
    ConfigureLame(switches.get(), s, 44100, 2, false);
    EXPECT_EQ(lame_get_quality(switches.get()), 9);
    EXPECT_EQ(lame_get_lowpassfreq(switches.get()), -1);

    // 20 % to 30 % of 22050 Hz: 4410 to 6615 Hz.
    s.MP3CustomizeLPF = true;
    s.MP3LPFA = 30;
    s.MP3LPFB = 20;
    Lame band;
    ConfigureLame(band.get(), s, 44100, 2, false);
    EXPECT_EQ(lame_get_lowpassfreq(band.get()), 5513);
    EXPECT_EQ(lame_get_lowpasswidth(band.get()), 2205);
}

}  // namespace
}  // namespace tolvane
