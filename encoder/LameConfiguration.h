#pragma once
// How the encoder settings of a schedule become LAME settings.

#include <QtGlobal>

#include <lame/lame.h>

namespace tolvane {

struct Mp3EncodeSettings;

// Output modes of MP3Stereo.
namespace StereoMode {
inline constexpr qint32 Mono = 0;
inline constexpr qint32 Stereo = 1;
inline constexpr qint32 JointStereo = 2;
inline constexpr qint32 MidSideStereo = 3;
inline constexpr qint32 DualChannel = 4;
}  // namespace StereoMode

// Bit rates are given for two channels; a mono stream gets half, rounded to the nearest
// whole kbit/s with ties to even.
qint32 HalvedBitRate(qint32 kbps);

// The sample rate of the MP3 stream: MP3OutFreq when MP3SetIOFreq is on, else the input's.
qint32 OutputRate(const Mp3EncodeSettings &s, qint32 inputRate);

// Sets up a fresh LAME handle for input of inputRate samples per second and inputChannels
// channels (the input's real format), in the order the settings have always been applied;
// lame_init_params is left to the caller. monoInput says whether the caller declared the
// input mono, which halves the bit rates like a mono output does.
//
// What LAME has no setting for is kept with the job's settings and has no effect: the CPU
// count, the encoder-thread priority and the enhanced 3DNow! switch (LAME encodes on one
// thread). MP3InFreq only ever names the input's real rate; a different value would make
// LAME play the input at the wrong speed, so the real rate is always used.
void ConfigureLame(lame_t lame, const Mp3EncodeSettings &s, qint32 inputRate, qint32 inputChannels, bool monoInput);

}  // namespace tolvane
