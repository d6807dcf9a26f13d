#include "AlsaSoundSource.h"

#include "common/FileWrite.h"
#include "mixer/alsa/SoundDeviceList.h"

#include <alsa/asoundlib.h>

#include <algorithm>

namespace tolvane {

namespace {

const QString kSource = QStringLiteral("AlsaSoundSource");

// How much the card itself buffers, and how often the capture thread looks at the stop flag.
constexpr unsigned kDeviceLatencyUs = 500000;
constexpr int kWaitMs = 50;
// The ring is also the history a start may reach back into: a start call comes at most a second
// or so after its moment (a late tick), so two seconds always hold the frame it starts with.
constexpr double kMinimumRingSeconds = 2.0;
// And room on top for what a source hands over in one go: a sound server's source that renders
// ahead delivers up to two seconds at once, which must not count as lost.
constexpr double kBurstSeconds = 2.0;
// A device that delivers nothing for this long has stopped (a sound server that hangs, a card
// gone quiet): the recording must end rather than wait for sound that never comes.
constexpr qint64 kSilentDeviceNs = 5'000'000'000;

}  // namespace

struct AlsaSoundSource::Pcm {
    snd_pcm_t *handle = nullptr;
};

AlsaSoundSource::AlsaSoundSource(std::shared_ptr<IUserNotifier> notifier, QObject *parent)
    : RingSoundSource(std::move(notifier), parent), m_pcm(std::make_unique<Pcm>())
{
}

AlsaSoundSource::~AlsaSoundSource()
{
    StopThread();
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

QString AlsaSoundSource::DeviceOf(const SourceChoice &source)
{
    if (source.UseSystemSourceDevice)
        return SoundDeviceList::SystemDefault().pcm;
    const std::vector<SoundDevice> devices = SoundDeviceList::Current();
    if (!source.ServerSource.isEmpty()) {
        if (const SoundDevice *found = SoundDeviceList::FindServerSource(devices, source.ServerSource))
            return found->pcm;
        // Never a failed recording for a source renamed or unplugged since it was chosen.
        PostNotice(QStringLiteral("SourceMissing ") + source.ServerSource, MissingSourceText(source.ServerSource));
        return SoundDeviceList::SystemDefault().pcm;
    }
    if (source.DeviceID < 0 || size_t(source.DeviceID) >= devices.size())
        throw NumberedError(ErrNo::SubscriptOutOfRange,
                            QStringLiteral("no capture device %1 (there are %2)").arg(source.DeviceID).arg(devices.size()),
                            kSource);
    return devices[size_t(source.DeviceID)].pcm;
}

QString AlsaSoundSource::MissingSourceText(const QString &name)
{
    return QStringLiteral("録音ソース「%1」が見つからないため、システムの入力設定で録音します。").arg(name);
}

void AlsaSoundSource::OpenDevice(const CaptureBufferDesc &desc, const SourceChoice &source)
{
    IgnoreBrokenPipeSignal();  // a sound server that dies is the device failing, nothing worse
    StopThread();
    ClosePcm();
    m_deviceName = DeviceOf(source);
    try {
        Open(desc);
    } catch (const NumberedError &) {
        // A server's source can go between the listing and the opening.
        if (source.UseSystemSourceDevice || source.ServerSource.isEmpty())
            throw;
        PostNotice(QStringLiteral("SourceMissing ") + source.ServerSource, MissingSourceText(source.ServerSource));
        m_deviceName = SoundDeviceList::SystemDefault().pcm;
        Open(desc);
    }
}

void AlsaSoundSource::Open(const CaptureBufferDesc &desc)
{
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
    snd_pcm_uframes_t bufferFrames = 0, periodFrames = 0;
    snd_pcm_get_params(pcm, &bufferFrames, &periodFrames);
    m_fullBuffer = qint64(bufferFrames) - qint64(periodFrames);
    const double seconds = std::max(double(desc.BufferBytes) / f.AvgBytesPerSec, kMinimumRingSeconds) + kBurstSeconds;
    ResetRing(f, seconds);
    m_timeline = CaptureTimeline(f.SamplesPerSec);
    m_overruns = 0;

    // Captured from now on, so that the sound of the start moment is there when the start comes.
    err = snd_pcm_start(pcm);
    if (err < 0) {
        ClosePcm();
        throw DeviceError(QStringLiteral("cannot start the capture device"), err);
    }
    StartThread([this] { ReadLoop(); });
}

void AlsaSoundSource::StopDevice()
{
    StopThread();
    // The device is free again as soon as the capture stops; what it delivered is in the ring.
    ClosePcm();
}

void AlsaSoundSource::ReleaseDevice()
{
    StopThread();
    ClosePcm();
    FreeRing();
}

std::optional<qint64> AlsaSoundSource::FrameLiveAt(qint64 ns) const
{
    // Before the first report, the frames in hand are those of the moment.
    return m_timeline.Known() ? m_timeline.FrameAt(ns) : FramesWritten();
}

void AlsaSoundSource::ReadLoop()
{
    const WaveFormat &f = Description().Format;
    std::vector<char> chunk(size_t(f.SamplesPerSec / 20 + 1) * f.BlockAlign);
    qint64 heard = SteadyNs(std::chrono::steady_clock::now());
    qint64 frames = FramesWritten();
    while (!StopAsked()) {
        const int ready = snd_pcm_wait(m_pcm->handle, kWaitMs);
        if (ready < 0 && snd_pcm_recover(m_pcm->handle, ready, 1) < 0) {
            Fail(DeviceError(QStringLiteral("the capture device failed"), ready));
            return;
        }
        if (!ReadAvailable(chunk))
            return;
        BeginWhenDue();
        const qint64 now = SteadyNs(std::chrono::steady_clock::now());
        if (FramesWritten() != frames) {
            frames = FramesWritten();
            heard = now;
        } else if (now - heard > kSilentDeviceNs) {
            Fail(NumberedError(ErrNo::InvalidProcedureCall,
                               QStringLiteral("the capture device \"%1\" has delivered no sound for %2 seconds")
                                   .arg(m_deviceName)
                                   .arg(kSilentDeviceNs / 1'000'000'000),
                               kSource));
            return;
        }
    }
    ReadAvailable(chunk);  // what the card captured up to the stop
    BeginWhenDue();
}

bool AlsaSoundSource::ReadAvailable(std::vector<char> &chunk)
{
    const qint64 align = Description().Format.BlockAlign;
    const auto capacity = snd_pcm_uframes_t(chunk.size() / size_t(align));
    for (;;) {
        // Every frame the device holds for us was live by now. (ALSA's delay would also count
        // the device's own latency, but a sound server's plugin reports it far off.)
        const snd_pcm_sframes_t waiting = snd_pcm_avail(m_pcm->handle);
        const qint64 now = SteadyNs(std::chrono::steady_clock::now());
        const snd_pcm_sframes_t n = snd_pcm_readi(m_pcm->handle, chunk.data(), capacity);
        if (n == -EAGAIN || n == 0)
            return true;
        if (n < 0) {
            if (n == -EPIPE)
                ++m_overruns;  // the frames it cost show up in the timeline
            if (snd_pcm_recover(m_pcm->handle, int(n), 1) < 0) {
                Fail(DeviceError(QStringLiteral("the capture device failed"), int(n)));
                return false;
            }
            snd_pcm_start(m_pcm->handle);
            continue;
        }
        // A sound server's plugin never owns to more than its buffer holds; a full buffer may
        // hide more behind it, so only a buffer with room tells how much is waiting.
        if (waiting >= n && waiting < m_fullBuffer)
            Place(waiting, now);
        Store(chunk.data(), n);
    }
}

void AlsaSoundSource::Place(qint64 waiting, qint64 ns)
{
    const qint64 missing = m_timeline.Observe(FramesWritten() + waiting, ns);
    if (missing > 0)
        StoreSilence(missing);
}

}  // namespace tolvane
