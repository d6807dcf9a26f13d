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

qint64 SteadyNs(std::chrono::steady_clock::time_point t)
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(t.time_since_epoch()).count();
}

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
    StopThread();
    ClosePcm();
}

NumberedError AlsaSoundSource::DeviceError(const QString &what, int alsaError) const
{
    return NumberedError(ErrNo::InvalidProcedureCall,
                         QStringLiteral("%1 \"%2\": %3").arg(what, m_deviceName, QString::fromLocal8Bit(snd_strerror(alsaError))),
                         kSource);
}

void AlsaSoundSource::StopThread()
{
    m_stop = true;
    if (m_thread.joinable())
        m_thread.join();
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
    IgnoreBrokenPipeSignal();  // a sound server that dies is the device failing, nothing worse
    StopThread();
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
    snd_pcm_uframes_t bufferFrames = 0, periodFrames = 0;
    snd_pcm_get_params(pcm, &bufferFrames, &periodFrames);
    m_fullBuffer = qint64(bufferFrames) - qint64(periodFrames);
    const double seconds = std::max(double(desc.BufferBytes) / f.AvgBytesPerSec, kMinimumRingSeconds) + kBurstSeconds;
    m_ring.Reset(qint64(seconds * f.SamplesPerSec), f.BlockAlign, f.BitsPerSample == 16 ? 0 : char(128));
    m_timeline = CaptureTimeline(f.SamplesPerSec);
    m_startNs = kNotStarted;
    m_lostFrames = 0;
    m_overruns = 0;
    m_failed = false;
    m_framesSinceWakeUp = 0;

    // Captured from now on, so that the sound of the start moment is there when the start comes.
    err = snd_pcm_start(pcm);
    if (err < 0) {
        ClosePcm();
        throw DeviceError(QStringLiteral("cannot start the capture device"), err);
    }
    m_stop = false;
    m_thread = std::thread(&AlsaSoundSource::ReadLoop, this);
}

void AlsaSoundSource::StartDevice(std::chrono::steady_clock::time_point from)
{
    if (!m_pcm->handle || !m_thread.joinable())
        throw NumberedError(ErrNo::InvalidProcedureCall, QStringLiteral("the capture device is not open"), kSource);
    if (m_failed) {
        std::lock_guard lock(m_failureMutex);
        throw *m_failure;
    }
    m_startNs = SteadyNs(from);
}

void AlsaSoundSource::Fail(const NumberedError &error)
{
    {
        std::lock_guard lock(m_failureMutex);
        m_failure = error;
    }
    // Before the start the report finds no capture to stop; the start then fails with it.
    m_failed = true;
    PostDeviceFailed(error);
}

void AlsaSoundSource::StopDevice()
{
    StopThread();
    // The device is free again as soon as the capture stops; what it delivered is in the ring.
    ClosePcm();
}

void AlsaSoundSource::TakeCaptured(std::vector<char> &bytes) { m_lostFrames += m_ring.ReadAll(bytes); }

void AlsaSoundSource::ReleaseDevice()
{
    StopThread();
    ClosePcm();
    m_ring.Reset(0, 1, 0);
}

void AlsaSoundSource::ReadLoop()
{
    const WaveFormat &f = Description().Format;
    std::vector<char> chunk(size_t(f.SamplesPerSec / 20 + 1) * f.BlockAlign);
    qint64 heard = SteadyNs(std::chrono::steady_clock::now());
    qint64 frames = m_ring.FramesWritten();
    while (!m_stop) {
        const int ready = snd_pcm_wait(m_pcm->handle, kWaitMs);
        if (ready < 0 && snd_pcm_recover(m_pcm->handle, ready, 1) < 0) {
            Fail(DeviceError(QStringLiteral("the capture device failed"), ready));
            return;
        }
        if (!ReadAvailable(chunk))
            return;
        BeginWhenDue();
        const qint64 now = SteadyNs(std::chrono::steady_clock::now());
        if (m_ring.FramesWritten() != frames) {
            frames = m_ring.FramesWritten();
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
    const qint64 missing = m_timeline.Observe(m_ring.FramesWritten() + waiting, ns);
    if (missing <= 0)
        return;
    m_ring.WriteSilence(missing);
    if (m_ring.Begun()) {
        m_lostFrames += missing;
        CountTowardsWakeUp(missing);
    }
}

void AlsaSoundSource::Store(const char *bytes, qint64 frames)
{
    m_ring.Write(bytes, frames);
    if (m_ring.Begun())
        CountTowardsWakeUp(frames);
    else
        BeginWhenDue();
}

void AlsaSoundSource::BeginWhenDue()
{
    const qint64 start = m_startNs;
    if (start == kNotStarted || m_ring.Begun())
        return;
    const qint64 written = m_ring.FramesWritten();
    const qint64 first = m_timeline.Known() ? m_timeline.FrameAt(start) : written;
    if (first > written)
        return;  // not captured yet
    const qint64 begun = m_ring.Begin(first);
    m_framesSinceWakeUp = 0;
    CountTowardsWakeUp(written - begun);
}

void AlsaSoundSource::CountTowardsWakeUp(qint64 frames)
{
    m_framesSinceWakeUp += frames;
    const qint64 halfSecond = Description().Format.SamplesPerSec / 2;
    while (m_framesSinceWakeUp >= halfSecond) {
        m_framesSinceWakeUp -= halfSecond;
        PostWakeUp();
    }
}

}  // namespace tolvane
