#pragma once
// The enumerations of the schedule record and the one mapping of them to audio numbers that
// every consumer uses.

#include <QtGlobal>

namespace tolvane {

enum class FormatType : qint32 { wave = 0, windowsmedia = 1, MP3 = 2 };
enum class Bit : qint32 { lo8bit = 0, Hi16bit = 1 };
enum class Frequency : qint32 { Lo11025Hz = 0, Mi22050Hz = 1, Hi44100Hz = 2, Ex32000Hz = 3, Ex48000Hz = 4 };
enum class Channel : qint32 { mono = 0, Stereo = 1 };

// Samples per second for a Frequency; 0 for a value outside the table.
constexpr qint32 SampleRateOf(Frequency f)
{
    switch (f) {
    case Frequency::Lo11025Hz: return 11025;
    case Frequency::Mi22050Hz: return 22050;
    case Frequency::Hi44100Hz: return 44100;
    case Frequency::Ex32000Hz: return 32000;
    case Frequency::Ex48000Hz: return 48000;
    }
    return 0;
}

// One channel for mono, two for every other value.
constexpr qint32 ChannelCountOf(Channel c) { return c == Channel::mono ? 1 : 2; }

// 8 or 16.
constexpr qint32 BitsPerSampleOf(Bit b) { return static_cast<qint32>(b) * 8 + 8; }

}  // namespace tolvane
