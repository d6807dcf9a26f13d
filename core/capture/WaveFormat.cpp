#include "WaveFormat.h"

#include "common/NumberedError.h"

#include <cmath>

namespace tolvane {

CaptureBufferDesc DescribeCapture(Bit bit, Frequency frequency, Channel channel, double BufferLength)
{
    const qint32 rate = SampleRateOf(frequency);
    if (rate == 0)
        throw NumberedError(ErrNo::InvalidProcedureCall,
                            QStringLiteral("unsupported sampling rate (Frequency %1)").arg(static_cast<qint32>(frequency)),
                            QStringLiteral("DescribeCapture"));
    if (bit != Bit::lo8bit && bit != Bit::Hi16bit)
        throw NumberedError(ErrNo::InvalidProcedureCall,
                            QStringLiteral("unsupported sample width (Bit %1)").arg(static_cast<qint32>(bit)),
                            QStringLiteral("DescribeCapture"));
    if (!(BufferLength > 0 && BufferLength <= kMaxBufferSeconds))
        throw NumberedError(ErrNo::InvalidProcedureCall,
                            QStringLiteral("capture buffer length out of range: %1 s").arg(BufferLength),
                            QStringLiteral("DescribeCapture"));

    CaptureBufferDesc desc;
    WaveFormat &f = desc.Format;
    f.Channels = static_cast<quint16>(ChannelCountOf(channel));
    f.SamplesPerSec = static_cast<quint32>(rate);
    f.BitsPerSample = static_cast<quint16>(BitsPerSampleOf(bit));
    f.BlockAlign = static_cast<quint16>(f.BitsPerSample / 8 * f.Channels);
    f.AvgBytesPerSec = f.BlockAlign * f.SamplesPerSec;
    desc.BufferBytes = static_cast<quint32>(std::nearbyint(f.AvgBytesPerSec * BufferLength));
    return desc;
}

}  // namespace tolvane
