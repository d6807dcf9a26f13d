#include "LameConfiguration.h"

#include "encoder/protocol/Mp3EncodeSettings.h"

#include <algorithm>
#include <cmath>

namespace tolvane {

namespace {

MPEG_mode LameMode(qint32 stereo)
{
    switch (stereo) {
    case StereoMode::Mono: return MONO;
    case StereoMode::Stereo: return STEREO;
    case StereoMode::DualChannel: return DUAL_CHANNEL;
    default: return JOINT_STEREO;  // joint and mid/side; mid/side is forced below
    }
}

// MPEG-1 covers 32000, 44100 and 48000 Hz; everything below is MPEG-2 or 2.5, which has its
// own, lower bit-rate table.
bool IsMpeg1Rate(qint32 rate)
{
    return rate == 32000 || rate == 44100 || rate == 48000;
}

}  // namespace

qint32 HalvedBitRate(qint32 kbps)
{
    // nearbyint rounds in the default mode, to nearest with ties to even.
    return static_cast<qint32>(std::nearbyint(kbps / 2.0));
}

qint32 OutputRate(const Mp3EncodeSettings &s, qint32 inputRate)
{
    return s.MP3SetIOFreq ? s.MP3OutFreq : inputRate;
}

void ConfigureLame(lame_t lame, const Mp3EncodeSettings &s, qint32 inputRate, qint32 inputChannels, bool monoInput)
{
    lame_set_in_samplerate(lame, inputRate);
    lame_set_num_channels(lame, inputChannels);
    // The ID3 version 1 tag is written by the output file itself, in CP932.
    lame_set_write_id3tag_automatic(lame, 0);

    const qint32 outputRate = OutputRate(s, inputRate);
    // Set even without MP3SetIOFreq: left alone, LAME lowers the rate of low bit-rate streams.
    lame_set_out_samplerate(lame, outputRate);

    lame_set_mode(lame, LameMode(s.MP3Stereo));
    if (s.MP3Stereo == StereoMode::MidSideStereo)
        lame_set_force_ms(lame, 1);

    const bool halve = s.MP3Stereo == StereoMode::Mono || monoInput;
    const auto bitRate = [halve](qint32 kbps) { return halve ? HalvedBitRate(kbps) : kbps; };
    if (s.MP3VBR) {
        lame_set_VBR(lame, vbr_default);
        lame_set_VBR_q(lame, s.MP3VBRQuality);
        if (s.MP3LimitVBRBitRate) {
            const qint32 low = bitRate(std::min(s.MP3VBRMinBitRate, s.MP3VBRMaxBitRate));
            const qint32 high = bitRate(std::max(s.MP3VBRMinBitRate, s.MP3VBRMaxBitRate));
            lame_set_VBR_min_bitrate_kbps(lame, low);
            lame_set_VBR_max_bitrate_kbps(lame, high);
            // A limit: LAME otherwise goes below the minimum on quiet frames.
            lame_set_VBR_hard_min(lame, 1);
        }
    } else {
        lame_set_VBR(lame, vbr_off);
        lame_set_brate(lame, bitRate(IsMpeg1Rate(outputRate) ? s.MP3CBRMPEG1BitRate : s.MP3CBRMPEG2BitRate));
    }

    // Quality 9 is LAME's setting without the psychoacoustic model.
    if (s.MP3NotUsePsy)
        lame_set_quality(lame, 9);
    if (s.MP3NotUseLPF)
        lame_set_lowpassfreq(lame, -1);

    if (s.MP3NotUseEnhancedCPU) {
        if (s.MP3NotUseMMX)
            lame_set_asm_optimizations(lame, MMX, 0);
        if (s.MP3NotUse3DNow)
            lame_set_asm_optimizations(lame, AMD_3DNOW, 0);
        if (s.MP3NotUseSSE)
            lame_set_asm_optimizations(lame, SSE, 0);
    }

    // The custom band runs from MP3LPFA to MP3LPFB percent of the output's Nyquist frequency;
    // LAME takes its middle and its width. A band at 0 Hz leaves the choice to LAME rather
    // than silence the recording.
    if (s.MP3CustomizeLPF) {
        const double nyquist = outputRate / 2.0;
        const double low = std::clamp(std::min(s.MP3LPFA, s.MP3LPFB), 0, 100) / 100.0 * nyquist;
        const double high = std::clamp(std::max(s.MP3LPFA, s.MP3LPFB), 0, 100) / 100.0 * nyquist;
        lame_set_lowpassfreq(lame, static_cast<int>(std::lround((low + high) / 2)));
        lame_set_lowpasswidth(lame, static_cast<int>(std::lround(high - low)));
    }
}

}  // namespace tolvane
