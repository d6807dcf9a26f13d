#include "SoundSource.h"

#include <QMetaMethod>
#include <QtEndian>

#include <bit>
#include <cstring>
#include <utility>

namespace tolvane {

namespace {
const QString kSource = QStringLiteral("SoundSource");
}

SoundSource::SoundSource(std::shared_ptr<IUserNotifier> notifier, QObject *parent)
    : QObject(parent), m_notifier(std::move(notifier))
{
}

SoundSource::~SoundSource() = default;

CaptureBufferDesc SoundSource::SetParameter(Bit bit, Frequency frequency, Channel channel, double BufferLength,
                                            const SourceChoice &source)
{
    if (m_state == State::Capturing || m_state == State::Stopping) {
        ++m_generation;  // the old capture ends here, without events
        StopDevice();
    }
    if (m_state != State::Idle)
        ReleaseDevice();
    m_state = State::Idle;
    m_desc = DescribeCapture(bit, frequency, channel, BufferLength);
    OpenDevice(m_desc, source);
    m_state = State::Configured;
    return m_desc;
}

void SoundSource::StartSchedule(std::chrono::steady_clock::time_point from)
{
    if (m_state != State::Configured)
        throw NumberedError(ErrNo::InvalidProcedureCall, QStringLiteral("the capture has not been prepared"), kSource);
    ++m_generation;
    m_failed = false;
    StartDevice(from);
    m_state = State::Capturing;
}

void SoundSource::StopSchedule()
{
    if (m_state != State::Capturing)
        return;
    m_state = State::Stopping;
    StopDevice();
    PostWakeUp(true);
}

void SoundSource::StopScheduleNow()
{
    if (m_state == State::Capturing) {
        m_state = State::Stopping;
        StopDevice();
    }
    // The stop wake-up already posted, if any, finds the capture over and does nothing.
    if (m_state == State::Stopping)
        WakeUp(true);
}

void SoundSource::ReportListenerError(const NumberedError &error)
{
    if (!m_listenerError)
        m_listenerError = error;
}

void SoundSource::PostToThisCapture(std::function<void()> call)
{
    const quint64 generation = m_generation;
    QMetaObject::invokeMethod(
        this,
        [this, generation, call = std::move(call)] {
            if (generation == m_generation)
                call();
        },
        Qt::QueuedConnection);
}

void SoundSource::PostWakeUp(bool stop)
{
    PostToThisCapture([this, stop] { WakeUp(stop); });
}

void SoundSource::PostDeviceFailed(const NumberedError &error)
{
    PostToThisCapture([this, error] { DeviceFailed(error); });
}

void SoundSource::PostNotice(const QString &event, const QString &message)
{
    QMetaObject::invokeMethod(
        this, [this, event, message] { emit SourceNotice(event, message); }, Qt::QueuedConnection);
}

void SoundSource::WakeUp(bool stop)
{
    if (m_state != State::Capturing && m_state != State::Stopping)
        return;
    if (m_busy) {
        // A listener is still at work on the last block (it may be showing a message). What this
        // wake-up would read stays in the ring for the next one; only the stop must not be lost.
        if (stop)
            m_stopWhileBusy = true;
        return;
    }
    m_busy = true;
    bool failed = true;
    try {
        Deliver();
        failed = false;
    } catch (const NumberedError &e) {
        Fail(e);
    } catch (const std::exception &e) {
        Fail(NumberedError(ErrNo::InvalidProcedureCall, QString::fromLocal8Bit(e.what()), kSource));
    }
    if (stop) {
        ReleaseDevice();
        m_state = State::Idle;
        emit FinishCapture();
        m_listenerError.reset();  // the capture is over; nothing is left to stop
    }
    m_busy = false;
    if (failed)
        StopSchedule();  // the recording ends through the normal stop path
    if (m_stopWhileBusy) {
        m_stopWhileBusy = false;
        WakeUp(true);
    }
}

void SoundSource::Deliver()
{
    m_bytes.clear();
    TakeCaptured(m_bytes);
    if (m_bytes.empty())
        return;  // nothing new since the last wake-up: no block, rather than an invented one
    if (m_desc.Format.BitsPerSample == 16)
        emit ArriveReadableBuffer16();
    else
        emit ArriveReadableBuffer8();
    if (m_listenerError) {
        const NumberedError error = *m_listenerError;
        m_listenerError.reset();
        throw error;
    }
}

std::chrono::steady_clock::time_point SoundSource::SteadyMoment(const IClock &clock, const QDateTime &moment)
{
    const auto now = std::chrono::steady_clock::now();
    if (!moment.isValid())
        return now;
    return now + std::chrono::milliseconds(clock.Now().msecsTo(moment));
}

std::vector<quint8> SoundSource::WaveData8() const
{
    std::vector<quint8> block;
    WaveData8(block);
    return block;
}

std::vector<qint16> SoundSource::WaveData16() const
{
    std::vector<qint16> block;
    WaveData16(block);
    return block;
}

void SoundSource::WaveData8(std::vector<quint8> &block) const { block.assign(m_bytes.begin(), m_bytes.end()); }

void SoundSource::WaveData16(std::vector<qint16> &block) const
{
    block.resize(m_bytes.size() / 2);
    if constexpr (std::endian::native == std::endian::little)
        std::memcpy(block.data(), m_bytes.data(), block.size() * 2);
    else
        qFromLittleEndian<qint16>(m_bytes.data(), qsizetype(block.size()), block.data());
}

void SoundSource::DeviceFailed(const NumberedError &error)
{
    if (m_state != State::Capturing)
        return;
    Fail(error);
    StopSchedule();
}

void SoundSource::Fail(const NumberedError &error)
{
    if (std::exchange(m_failed, true))
        return;
    if (isSignalConnected(QMetaMethod::fromSignal(&SoundSource::Failed))) {
        emit Failed(error);
        return;
    }
    const QString lead = QStringLiteral("DirectXコールバック発生時に予期せぬエラーが発生しました。");
    m_notifier->ShowMessage(ConfirmErrorText(lead, error), MessageIcon::Critical);
}

}  // namespace tolvane
