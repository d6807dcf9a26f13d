#include "StreamLevelProbe.h"

#include "common/NumberedError.h"
#include "core/capture/StreamSoundSource.h"

namespace tolvane {

StreamLevelProbe::StreamLevelProbe(std::shared_ptr<IUserNotifier> notifier, QObject *parent)
    : QObject(parent), m_notifier(std::move(notifier))
{
    m_length.setSingleShot(true);
    connect(&m_length, &QTimer::timeout, this, &StreamLevelProbe::Stop);
}

StreamLevelProbe::~StreamLevelProbe() { Release(); }

void StreamLevelProbe::Start(const QString &url, std::chrono::milliseconds length)
{
    Release();
    m_meter.Reset(true);
    auto source = std::make_unique<StreamSoundSource>(m_notifier);
    connect(source.get(), &SoundSource::ArriveReadableBuffer16, this, &StreamLevelProbe::TakeBlock);
    connect(source.get(), &SoundSource::Failed, this, &StreamLevelProbe::OnFailed);
    // The end arrives through the event loop, after Stop has let the source go.
    connect(source.get(), &SoundSource::FinishCapture, this, [this] {
        if (!m_length.isActive())
            emit Finished();
    });
    try {
        source->SetParameter(Bit::Hi16bit, Frequency::Hi44100Hz, Channel::Stereo, 1.0,
                             SourceChoice{false, 0, {}, url});
        source->StartSchedule();
    } catch (const NumberedError &e) {
        emit Failed(e.Description());
        emit Finished();
        return;
    }
    m_source = std::move(source);
    m_length.start(length);
}

void StreamLevelProbe::Stop()
{
    m_length.stop();
    if (m_source && m_source->Capturing())
        m_source->StopScheduleNow();
}

void StreamLevelProbe::Release()
{
    m_length.stop();
    if (!m_source)
        return;
    // No signal of a probe that is let go reaches the dialog.
    m_source->disconnect(this);
    if (m_source->Capturing())
        m_source->StopScheduleNow();
    m_source.reset();
}

void StreamLevelProbe::TakeBlock()
{
    if (!m_source)
        return;
    const LevelMeter::Result r = m_meter.Feed16(m_source->WaveData16(), true);
    emit Level(r.bars[0], r.bars[1]);
}

void StreamLevelProbe::OnFailed(const NumberedError &error)
{
    m_length.stop();
    emit Failed(error.Description());
}

}  // namespace tolvane
