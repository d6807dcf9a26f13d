#include "FrmWME.h"

#include <QFile>

#include <utility>

namespace tolvane {

namespace {

const QString kSource = QStringLiteral("FrmWME");

// The capture rate for a session's rate: the same where the sound source offers it, else the
// next higher one, which the encoder's resampler brings down.
Frequency CaptureFrequency(qint32 rate)
{
    for (Frequency f : {Frequency::Lo11025Hz, Frequency::Mi22050Hz, Frequency::Ex32000Hz, Frequency::Hi44100Hz})
        if (SampleRateOf(f) >= rate)
            return f;
    return Frequency::Ex48000Hz;
}

}  // namespace

FrmWME::FrmWME(QString appFolder, std::shared_ptr<IUserNotifier> notifier, std::shared_ptr<const IClock> clock,
               SourceMaker makeSource, QObject *parent)
    : ClsICapture2Output(parent), m_appFolder(std::move(appFolder)), m_notifier(std::move(notifier)), m_clock(std::move(clock)),
      m_makeSource(std::move(makeSource))
{
}

FrmWME::~FrmWME()
{
    // Going away in the middle of a recording (the program ends): the file keeps what was
    // captured so far and is finished.
    if (m_source)
        m_source->disconnect(this);
    m_encoder.reset();
}

QString FrmWME::Prepared::Path() const { return folder + QLatin1Char('/') + name.name + session.Extension(); }

QString FrmWME::PreparedFilePath() const { return m_prepared ? m_prepared->Path() : QString(); }

bool FrmWME::SetParameter(uCaptureSetting &setting)
{
    m_prepared.reset();
    m_prepareError.reset();
    try {
        Prepare(setting);
    } catch (const NumberedError &e) {
        m_prepareError = e;
        ShowError(e);
    }
    return false;
}

void FrmWME::Prepare(const uCaptureSetting &setting)
{
    if (!setting.Schedule)
        throw NumberedError::Standard(ErrNo::ObjectNotSet, kSource);
    Prepared p;
    p.bufferLength = setting.BufferLength;
    p.choice = SourceChoice::Of(*setting.Schedule);
    p.session = WmeSession::LoadOrCreateDefault(setting.WMEFilePath, m_appFolder);
    p.writer = std::make_unique<WmaFileWriter>(p.session, SampleRateOf(CaptureFrequency(p.session.SampleRate)));
    p.folder = setting.FilePath.isEmpty() ? m_appFolder : setting.FilePath;
    while (p.folder.size() > 1 && p.folder.endsWith(QLatin1Char('/')))
        p.folder.chop(1);
    p.base = PartFileName::Base(setting.FileName, m_clock->Now());
    p.name = PartFileName::Unique(p.folder, p.base, 0, {p.session.Extension()});
    try {
        p.source = OpenSource(p);
    } catch (const NumberedError &) {
        p.source.reset();  // tried again at the start, where its error counts
    }
    m_prepared = std::move(p);
}

std::unique_ptr<SoundSource> FrmWME::OpenSource(const Prepared &p)
{
    std::unique_ptr<SoundSource> source = m_makeSource ? m_makeSource(p.choice) : nullptr;
    if (!source)
        throw NumberedError(ErrNo::ObjectNotSet, QStringLiteral("no sound source is available"), kSource);
    // From the opening on: a source says what it had to choose instead while it opens.
    connect(source.get(), &SoundSource::SourceNotice, this, &FrmWME::SourceNotice);
    source->SetParameter(Bit::Hi16bit, CaptureFrequency(p.session.SampleRate),
                         p.session.Channels == 1 ? Channel::mono : Channel::Stereo, p.bufferLength, p.choice);
    return source;
}

bool FrmWME::StartCapture(const QDateTime &from)
{
    if (!m_prepared)
        throw m_prepareError.value_or(
            NumberedError(ErrNo::InvalidProcedureCall, QStringLiteral("no Windows Media recording is prepared"), kSource));
    if (m_source)
        StopCapture();  // one recording at a time; the controller stops the last one first
    Prepared p = std::move(*m_prepared);
    m_prepared.reset();

    std::unique_ptr<SoundSource> source = p.source ? std::move(p.source) : OpenSource(p);
    source->AwaitOpen();  // a source that failed leaves no file behind
    CreateFile(p);
    auto encoder = std::make_unique<WmaEncodeThread>(std::move(p.writer));
    try {
        source->StartSchedule(SoundSource::SteadyMoment(*m_clock, from));
    } catch (const NumberedError &) {
        encoder.reset();
        QFile::remove(m_filePath);  // nothing was recorded into it
        throw;
    }
    m_encoder = std::move(encoder);
    m_source = source.release();
    m_source->setParent(this);
    connect(m_source, &SoundSource::ArriveReadableBuffer16, this, &FrmWME::Source_ArriveReadableBuffer16);
    connect(m_source, &SoundSource::FinishCapture, this, &FrmWME::EndRecording);
    connect(m_source, &SoundSource::Failed, this, &FrmWME::Fail);
    m_failed = false;
    return false;
}

void FrmWME::DropPrepared()
{
    m_prepared.reset();
    m_prepareError.reset();
}

void FrmWME::CreateFile(Prepared &p)
{
    for (;;) {
        try {
            p.writer->Create(p.Path());
            m_filePath = p.Path();
            return;
        } catch (const NumberedError &e) {
            // Taken since the name was fixed: the rule goes on to the next free number.
            if (e.Number() != ErrNo::FileAlreadyExists)
                throw;
            p.name = PartFileName::Unique(p.folder, p.base, p.name.number + 1, {p.session.Extension()});
        }
    }
}

bool FrmWME::StopCapture()
{
    m_stopping = true;
    if (m_source)
        m_source->StopScheduleNow();
    m_stopping = false;
    if (m_finishError)
        throw *std::exchange(m_finishError, std::nullopt);
    return false;
}

void FrmWME::Source_ArriveReadableBuffer16()
{
    if (!m_encoder)
        return;
    m_encoder->Push(m_source->WaveData16());
    // A write that failed ends the recording through the source, as its own failures do.
    if (auto error = m_encoder->TakeError())
        m_source->ReportListenerError(*error);
}

void FrmWME::Fail(const NumberedError &error)
{
    if (!std::exchange(m_failed, true))
        emit WriteError(error);
}

// The source's last event, whether StopCapture or a failure stopped it.
void FrmWME::EndRecording()
{
    if (const qint64 lost = m_source->FramesLost(); lost > 0)
        emit SoundLost(lost, qint32(m_source->Description().Format.SamplesPerSec));
    const auto encoder = std::move(m_encoder);
    m_source->disconnect(this);
    m_source->deleteLater();  // its own signal is still running
    m_source = nullptr;
    try {
        if (encoder)
            encoder->Finish();
    } catch (const NumberedError &e) {
        if (m_stopping)
            m_finishError = e;
        else
            Fail(e);
    }
    emit CaptureClosed();
}

void FrmWME::ShowError(const NumberedError &error)
{
    m_notifier->ShowMessage(ErrorText(QStringLiteral("エラーが発生しました。"), error), MessageIcon::Critical);
}

}  // namespace tolvane
