#include "AlsaSoundSource.h"

#include "mixer/alsa/SoundDeviceList.h"

#include <alsa/asoundlib.h>

#include <algorithm>

namespace tolvane {

namespace {

const QString kSource = QStringLiteral("AlsaSoundSource");

// How much the card itself buffers, and how often the capture thread looks at the stop flag.
constexpr unsigned kDeviceLatencyUs = 500000;
constexpr int kWaitMs = 50;
constexpr double kMinimumRingSeconds = 2.0;

}  // namespace

struct AlsaSoundSource::Pcm {
    snd_pcm_t *handle = nullptr;
};

AlsaSoundSource::AlsaSoundSource(std::shared_ptr<IUserNotifier> notifier, QObject *parent)
    : SoundSource(std::move(notifier), parent), m_pcm(std::make_unique<Pcm>())
{
}

AlsaSoundSource::~AlsaSoundSource()
{
    m_stop = true;
    if (m_thread.joinable())
        m_thread.join();
    ClosePcm();
}

NumberedError AlsaSoundSource::DeviceError(const QString &what, int alsaError) const
{
    return NumberedError(ErrNo::InvalidProcedureCall,
                         QStringLiteral("%1 \"%2\": %3").arg(what, m_deviceName, QString::fromLocal8Bit(snd_strerror(alsaError))),
                         kSource);
}

void AlsaSoundSource::ClosePcm()
{
    if (m_pcm->handle) {
        snd_pcm_drop(m_pcm->handle);
        snd_pcm_close(m_pcm->handle);
        m_pcm->handle = nullptr;
    }
}

void AlsaSoundSource::OpenDevice(const CaptureBufferDesc &desc, bool UseSystemSourceDevice, qint32 DeviceID)
{
    ClosePcm();
    if (UseSystemSourceDevice) {
        m_deviceName = SoundDeviceList::SystemDefault().pcm;
    } else {
        const std::vector<SoundDevice> devices = SoundDeviceList::Current();
        if (DeviceID < 0 || size_t(DeviceID) >= devices.size())
            throw NumberedError(ErrNo::SubscriptOutOfRange,
                                QStringLiteral("no capture device %1 (there are %2)").arg(DeviceID).arg(devices.size()),
                                kSource);
        m_deviceName = devices[size_t(DeviceID)].pcm;
    }

    const WaveFormat &f = desc.Format;
    snd_pcm_t *pcm = nullptr;
    int err = snd_pcm_open(&pcm, m_deviceName.toLocal8Bit().constData(), SND_PCM_STREAM_CAPTURE, SND_PCM_NONBLOCK);
    if (err < 0)
        throw DeviceError(QStringLiteral("cannot open the capture device"), err);
    m_pcm->handle = pcm;
    err = snd_pcm_set_params(pcm, f.BitsPerSample == 16 ? SND_PCM_FORMAT_S16_LE : SND_PCM_FORMAT_U8,
                             SND_PCM_ACCESS_RW_INTERLEAVED, f.Channels, f.SamplesPerSec, 1, kDeviceLatencyUs);
    if (err < 0) {
        ClosePcm();
        throw DeviceError(QStringLiteral("the capture device cannot record %1 Hz, %2 channel(s), %3 bits:")
                              .arg(f.SamplesPerSec)
                              .arg(f.Channels)
                              .arg(f.BitsPerSample),
                          err);
    }
    const double seconds = std::max(double(desc.BufferBytes) / f.AvgBytesPerSec, kMinimumRingSeconds);
    m_ring.Reset(size_t(seconds * f.SamplesPerSec) * f.BlockAlign);
    m_lostFrames = 0;
    m_overruns = 0;
}

void AlsaSoundSource::StartDevice()
{
    if (!m_pcm->handle)
        throw NumberedError(ErrNo::InvalidProcedureCall, QStringLiteral("the capture device is not open"), kSource);
    const int err = snd_pcm_start(m_pcm->handle);
    if (err < 0)
        throw DeviceError(QStringLiteral("cannot start the capture device"), err);
    m_stop = false;
    m_framesSinceWakeUp = 0;
    m_thread = std::thread(&AlsaSoundSource::ReadLoop, this);
}

void AlsaSoundSource::StopDevice()
{
    m_stop = true;
    if (m_thread.joinable())
        m_thread.join();
    // The device is free again as soon as the capture stops; what it delivered is in the ring.
    ClosePcm();
}

void AlsaSoundSource::TakeCaptured(std::vector<char> &bytes) { m_ring.ReadAll(bytes); }

void AlsaSoundSource::ReleaseDevice()
{
    ClosePcm();
    m_ring.Reset(0);
}

void AlsaSoundSource::ReadLoop()
{
    const WaveFormat &f = Description().Format;
    std::vector<char> chunk(size_t(f.SamplesPerSec / 20 + 1) * f.BlockAlign);
    while (!m_stop) {
        const int ready = snd_pcm_wait(m_pcm->handle, kWaitMs);
        if (ready < 0 && snd_pcm_recover(m_pcm->handle, ready, 1) < 0) {
            PostDeviceFailed(DeviceError(QStringLiteral("the capture device failed"), ready));
            return;
        }
        if (!ReadAvailable(chunk))
            return;
    }
    ReadAvailable(chunk);  // what the card captured up to the stop
}

bool AlsaSoundSource::ReadAvailable(std::vector<char> &chunk)
{
    const qint64 align = Description().Format.BlockAlign;
    const auto capacity = snd_pcm_uframes_t(chunk.size() / size_t(align));
    for (;;) {
        const snd_pcm_sframes_t n = snd_pcm_readi(m_pcm->handle, chunk.data(), capacity);
        if (n == -EAGAIN || n == 0)
            return true;
        if (n < 0) {
            if (n == -EPIPE)
                ++m_overruns;
            if (snd_pcm_recover(m_pcm->handle, int(n), 1) < 0) {
                PostDeviceFailed(DeviceError(QStringLiteral("the capture device failed"), int(n)));
                return false;
            }
            snd_pcm_start(m_pcm->handle);
            continue;
        }
        Store(chunk.data(), n);
    }
}

void AlsaSoundSource::Store(const char *bytes, qint64 frames)
{
    const qint64 align = Description().Format.BlockAlign;
    m_lostFrames += qint64(m_ring.Write(bytes, size_t(frames * align))) / align;
    m_framesSinceWakeUp += frames;
    const qint64 halfSecond = Description().Format.SamplesPerSec / 2;
    while (m_framesSinceWakeUp >= halfSecond) {
        m_framesSinceWakeUp -= halfSecond;
        PostWakeUp();
    }
}

}  // namespace tolvane
