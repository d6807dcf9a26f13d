#pragma once
// The PCM format of one capture and the length of the ring it runs in, derived from a
// schedule's wave setting; the WAVE header takes its six format fields from here.

#include "core/schedule/ScheduleTypes.h"

#include <QtGlobal>

namespace tolvane {

struct WaveFormat {
    quint16 FormatTag = 1;  // PCM
    quint16 Channels = 2;
    quint32 SamplesPerSec = 44100;
    quint32 AvgBytesPerSec = 176400;
    quint16 BlockAlign = 4;
    quint16 BitsPerSample = 16;

    friend bool operator==(const WaveFormat &, const WaveFormat &) = default;
};

struct CaptureBufferDesc {
    quint32 BufferBytes = 0;  // BufferLength seconds of audio
    WaveFormat Format;
};

// The longest ring a capture takes: an hour (already some 600 MB at 48 kHz stereo).
inline constexpr double kMaxBufferSeconds = 3600;

// Bits 8 or 16, the rate of the Frequency table, one or two channels, and BufferLength seconds
// of bytes rounded to nearest (ties to even). Throws NumberedError 5 for a Bit or Frequency
// outside its table or a buffer length that is not a positive number of at most an hour.
CaptureBufferDesc DescribeCapture(Bit bit, Frequency frequency, Channel channel, double BufferLength);

}  // namespace tolvane
