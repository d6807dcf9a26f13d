#include "RingSoundSource.h"

#include <algorithm>

namespace tolvane {

namespace {
const QString kSource = QStringLiteral("RingSoundSource");
}

RingSoundSource::~RingSoundSource() { StopThread(); }

qint64 RingSoundSource::SteadyNs(std::chrono::steady_clock::time_point t)
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(t.time_since_epoch()).count();
}

void RingSoundSource::ResetRing(const WaveFormat &format, double seconds)
{
    m_capacity = qint64(seconds * format.SamplesPerSec);
    m_ring.Reset(m_capacity, format.BlockAlign, format.BitsPerSample == 16 ? 0 : char(128));
    m_halfSecond = std::max<qint64>(format.SamplesPerSec / 2, 1);
    m_startNs = kNotStarted;
    m_lostFrames = 0;
    m_failed = false;
    m_framesSinceWakeUp = 0;
    m_earlySilence.clear();
}

void RingSoundSource::StartThread(std::function<void()> loop)
{
    m_stop = false;
    m_thread = std::thread(std::move(loop));
}

void RingSoundSource::StopThread()
{
    m_stop = true;
    if (m_thread.joinable())
        m_thread.join();
}

void RingSoundSource::AwaitOpen()
{
    if (m_failed) {
        std::lock_guard lock(m_failureMutex);
        throw *m_failure;
    }
}

void RingSoundSource::StartDevice(std::chrono::steady_clock::time_point from)
{
    if (!m_thread.joinable())
        throw NumberedError(ErrNo::InvalidProcedureCall, QStringLiteral("the capture device is not open"), kSource);
    RingSoundSource::AwaitOpen();
    m_startNs = SteadyNs(from);
}

void RingSoundSource::TakeCaptured(std::vector<char> &bytes) { m_lostFrames += m_ring.ReadAll(bytes); }

void RingSoundSource::Fail(const NumberedError &error)
{
    {
        std::lock_guard lock(m_failureMutex);
        m_failure = error;
    }
    // Before the start the report finds no capture to stop; the start then fails with it.
    m_failed = true;
    PostDeviceFailed(error);
}

void RingSoundSource::Store(const char *bytes, qint64 frames)
{
    m_ring.Write(bytes, frames);
    if (m_ring.Begun())
        CountTowardsWakeUp(frames);
    else
        BeginWhenDue();
}

void RingSoundSource::StoreSilence(qint64 frames)
{
    if (frames <= 0)
        return;
    const qint64 first = m_ring.FramesWritten();
    m_ring.WriteSilence(frames);
    if (m_ring.Begun()) {
        m_lostFrames += frames;
        CountTowardsWakeUp(frames);
        return;
    }
    const qint64 end = first + frames;
    while (!m_earlySilence.empty() && m_earlySilence.front().second <= end - m_capacity)
        m_earlySilence.pop_front();
    m_earlySilence.emplace_back(first, end);
    BeginWhenDue();
}

void RingSoundSource::BeginWhenDue()
{
    const qint64 start = m_startNs;
    if (start == kNotStarted || m_ring.Begun())
        return;
    const qint64 written = m_ring.FramesWritten();
    const std::optional<qint64> first = FrameLiveAt(start);
    if (!first || *first > written)
        return;  // not captured yet
    const qint64 begun = m_ring.Begin(*first);
    for (const auto &[from, end] : m_earlySilence)
        m_lostFrames += std::max<qint64>(end - std::max(from, begun), 0);
    m_earlySilence.clear();
    m_framesSinceWakeUp = 0;
    CountTowardsWakeUp(written - begun);
}

void RingSoundSource::CountTowardsWakeUp(qint64 frames)
{
    m_framesSinceWakeUp += frames;
    while (m_framesSinceWakeUp >= m_halfSecond) {
        m_framesSinceWakeUp -= m_halfSecond;
        PostWakeUp();
    }
}

}  // namespace tolvane
