#include "StreamSoundSource.h"

#include "core/capture/StreamReader.h"

#include <QThread>

#include <algorithm>

namespace tolvane {

namespace {

// Room for what a stream hands over at once: an Icecast server's burst of the last seconds, an
// HLS segment, and silence put in after a wait inside FFmpeg.
constexpr double kStreamBurstSeconds = 12.0;
constexpr double kMinimumRingSeconds = 2.0;
constexpr int kIdleMs = 20;
// FFmpeg asks whether to give up far more often than the placing needs to be looked after.
constexpr qint64 kTickNs = 10'000'000;

}  // namespace

StreamSoundSource::StreamSoundSource(std::shared_ptr<IUserNotifier> notifier, QObject *parent)
    : RingSoundSource(std::move(notifier), parent)
{
}

StreamSoundSource::~StreamSoundSource() { StopThread(); }

QString StreamSoundSource::StreamTitle() const
{
    std::lock_guard lock(m_titleMutex);
    return m_title;
}

void StreamSoundSource::OpenDevice(const CaptureBufferDesc &desc, const SourceChoice &source)
{
    StopThread();
    const WaveFormat &f = desc.Format;
    ResetRing(f, std::max(double(desc.BufferBytes) / f.AvgBytesPerSec, kMinimumRingSeconds) + kStreamBurstSeconds);
    {
        std::lock_guard lock(m_titleMutex);
        m_title.clear();
    }
    {
        std::lock_guard lock(m_openMutex);
        m_openDecided = false;
    }
    m_lastTickNs = 0;
    m_placer = std::make_unique<StreamPlacer>(
        f.SamplesPerSec, f.BlockAlign,
        StreamPlacer::Sink{[this](const char *bytes, qint64 frames) { Store(bytes, frames); },
                           [this](qint64 frames) { StoreSilence(frames); }, [this] { return FramesWritten(); }});
    StartThread([this, url = source.StreamURL] { ReadLoop(url); });
}

void StreamSoundSource::StopDevice() { StopThread(); }

void StreamSoundSource::ReleaseDevice()
{
    StopThread();
    FreeRing();
}

std::optional<qint64> StreamSoundSource::FrameLiveAt(qint64 ns) const { return m_placer->FrameLiveAt(ns); }

void StreamSoundSource::AwaitOpen()
{
    {
        std::unique_lock lock(m_openMutex);
        m_openChanged.wait_for(lock, std::chrono::nanoseconds(kOpenWaitNs), [this] { return m_openDecided; });
    }
    RingSoundSource::AwaitOpen();
}

void StreamSoundSource::Decided()
{
    {
        std::lock_guard lock(m_openMutex);
        m_openDecided = true;
    }
    m_openChanged.notify_all();
}

void StreamSoundSource::Fail(const NumberedError &error)
{
    RingSoundSource::Fail(error);
    Decided();
}

bool StreamSoundSource::Wait()
{
    const qint64 now = SteadyNs(std::chrono::steady_clock::now());
    if (now - m_lastTickNs >= kTickNs) {
        m_lastTickNs = now;
        const qint64 start = StartNs();
        m_placer->Tick(now, start == kNotStarted ? std::nullopt : std::optional<qint64>(start));
        BeginWhenDue();
    }
    return StopAsked();
}

void StreamSoundSource::TakeTitle(const StreamReader &reader)
{
    const QString title = reader.Title();
    {
        std::lock_guard lock(m_titleMutex);
        if (title.isEmpty() || title == m_title)
            return;
        m_title = title;
    }
    PostNotice(QStringLiteral("StreamTitle ") + title);
}

void StreamSoundSource::ReadLoop(QString url)
{
    const WaveFormat format = Description().Format;
    const QString shown = StreamReader::Shown(url);
    bool everOpened = false;
    qint64 retryNs = 0;
    std::vector<char> sound;
    while (!StopAsked()) {
        std::unique_ptr<StreamReader> reader;
        try {
            reader = std::make_unique<StreamReader>(url, format, [this] { return Wait(); });
        } catch (const NumberedError &e) {
            if (StopAsked())
                return;
            if (!everOpened) {
                Fail(e);  // a stream that never opens is not waited for
                return;
            }
        }
        if (reader) {
            if (everOpened)
                PostNotice(QStringLiteral("StreamReconnected ") + shown);
            else
                Decided();
            everOpened = true;
            retryNs = 0;
            m_placer->Connected();
            QString why;
            for (;;) {
                sound.clear();
                const bool more = reader->Read(sound, why);
                m_placer->Audio(sound.data(), qint64(sound.size()) / format.BlockAlign,
                                SteadyNs(std::chrono::steady_clock::now()));
                TakeTitle(*reader);
                if (Wait() || !more)
                    break;
            }
            m_placer->Disconnected(SteadyNs(std::chrono::steady_clock::now()));
            reader.reset();
            if (StopAsked())
                break;
            PostNotice(QStringLiteral("StreamDropped ") + why);
        }
        // The first attempt again at once (a server that closed one connection), then growing
        // waits, silence standing in meanwhile.
        const qint64 until = SteadyNs(std::chrono::steady_clock::now()) + retryNs;
        retryNs = std::clamp(retryNs * 2, kFirstRetryNs, kLongestRetryNs);
        while (!Wait() && SteadyNs(std::chrono::steady_clock::now()) < until)
            QThread::msleep(kIdleMs);
    }
}

}  // namespace tolvane
