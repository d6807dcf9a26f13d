#include "ClsWaveCapture2File.h"

#include "core/capture/PartFileName.h"
#include "core/encoder/EncodeSettingsOf.h"
#include "core/schedule/ClsFileNameMaker.h"
#include "encoder/protocol/PriorityClass.h"

#include <cmath>
#include <type_traits>
#include <utility>

namespace tolvane {

namespace {

const QString kSource = QStringLiteral("ClsWaveCapture2File");

template <typename Sample>
constexpr Sample kZeroLevel = std::is_same_v<Sample, quint8> ? 128 : 0;

// The one-element block at the zero level that stands for "nothing to write".
template <typename Sample>
bool IsPlaceholder(const std::vector<Sample> &block)
{
    return block.size() == 1 && block.front() == kZeroLevel<Sample>;
}

std::vector<qint16> Widen(const std::vector<quint8> &block) { return {block.begin(), block.end()}; }

// The encoder's process priority class while it encodes a recording, from the thread priority
// of the MP3 setting. It never goes above normal by more than one step, so that the encoder
// cannot starve the capture it is fed by.
qint32 EncoderPriorityClass(const ClsMP3 &mp3)
{
    if (!mp3.MP3SetPriority())
        return PriorityClass::Normal;
    switch (mp3.MP3Priority()) {
    case 2:
    case 1: return PriorityClass::AboveNormal;
    case -1:
    case -2: return PriorityClass::BelowNormal;
    case -15: return PriorityClass::Idle;
    default: return PriorityClass::Normal;
    }
}

}  // namespace

ClsWaveCapture2File::ClsWaveCapture2File(std::shared_ptr<const CoreServices> services, SourceMaker makeSource,
                                         std::shared_ptr<IEncoderFactory> encoders, QObject *parent)
    : m_services(std::move(services)), m_makeSource(std::move(makeSource)), m_encoders(std::move(encoders))
{
    setParent(parent);
}

ClsWaveCapture2File::~ClsWaveCapture2File() = default;

void ClsWaveCapture2File::EnsureCapturer(const SourceChoice &choice)
{
    if (m_capturer && m_capturerIsStream == choice.IsStream())
        return;
    DropCapturer();
    std::unique_ptr<SoundSource> source = m_makeSource ? m_makeSource(choice) : nullptr;
    if (!source)
        throw NumberedError(ErrNo::ObjectNotSet, QStringLiteral("no sound source is available"), kSource);
    m_capturer = source.release();
    m_capturerIsStream = choice.IsStream();
    m_capturer->setParent(this);
    connect(m_capturer, &SoundSource::ArriveReadableBuffer8, this,
            [this] { Capturer_ArriveReadableBuffer<quint8>(); });
    connect(m_capturer, &SoundSource::ArriveReadableBuffer16, this,
            [this] { Capturer_ArriveReadableBuffer<qint16>(); });
    connect(m_capturer, &SoundSource::FinishCapture, this, &ClsWaveCapture2File::Capturer_FinishCapture);
    connect(m_capturer, &SoundSource::Failed, this, &ClsWaveCapture2File::Capturer_Failed);
    connect(m_capturer, &SoundSource::SourceNotice, this, &ClsWaveCapture2File::SourceNotice);
}

// Called from the source's own FinishCapture, so it goes once that has returned.
void ClsWaveCapture2File::DropCapturer()
{
    if (!m_capturer)
        return;
    m_capturer->disconnect(this);
    m_capturer->deleteLater();
    m_capturer = nullptr;
}

bool ClsWaveCapture2File::SetParameter(uCaptureSetting &setting)
{
    if (!setting.Schedule)
        throw NumberedError::Standard(ErrNo::ObjectNotSet, kSource);
    m_setting = setting;
    const ClsSchedule &schedule = *m_setting.Schedule;
    const ClsWave &wave = Wave();
    m_startTrimming = wave.SNSValid();

    m_writer.reset();
    m_mp3Writer.reset();
    if (schedule.RecordingFormat() == FormatType::MP3 && schedule.MP3()->MP3RealTime()) {
        if (!m_encoders)
            throw NumberedError(ErrNo::ObjectNotSet, QStringLiteral("no MP3 encoder is available"), kSource);
        m_mp3Writer = m_encoders->Create();
        connect(m_mp3Writer.get(), &IWavFile2MP3::FinishEncode, this, &ClsWaveCapture2File::MP3Writer_FinishEncode);
        connect(m_mp3Writer.get(), &IWavFile2MP3::EncodeError, this, &ClsWaveCapture2File::MP3Writer_EncodeError);
    } else {
        m_writer = std::make_unique<ClsWaveWriter>(m_services->clock);
    }

    m_filter = std::make_unique<ClsFilter>();
    m_filter->setNoSoundVolume(m_setting.NoSoundVolume);

    const qint64 rate = SampleRateOf(wave.Frequency());
    const qint64 channels = ChannelCountOf(wave.Channel());
    const bool sixteen = wave.Bit() == Bit::Hi16bit;
    // A split time of zero would close a file after every block; the editor never offers it.
    const qint64 bySize = rate * channels * (sixteen ? 2 : 1) * wave.SplitTime().count();
    m_splitSize = wave.SplitByTime() && bySize > 0 && bySize <= kMaxSplitSize ? qint32(bySize) : kMaxSplitSize;

    const double level = (sixteen ? 32768.0 : 128.0) * std::pow(10.0, wave.NoSoundDecibels() / 20.0);
    const qint64 threshold = qint64(std::nearbyint(std::min(level, 1e15)));
    const double seconds = std::nearbyint(wave.NoSoundSeconds());
    const qint64 required = std::isfinite(seconds) ? qint64(std::clamp(seconds, 0.0, 1e9)) * rate * channels : 0;
    m_splitter8 = std::make_unique<SilenceSplitter<quint8>>(128, threshold, required, int(channels));
    m_splitter16 = std::make_unique<SilenceSplitter<qint16>>(0, threshold, required, int(channels));

    m_partNamesIssued.clear();
    m_realTimeBytes = 0;
    m_realTimePartsClosing.clear();
    m_writeFailed = m_recordingOver = false;

    const SourceChoice choice = SourceChoice::Of(schedule);
    EnsureCapturer(choice);
    m_desc = m_capturer->SetParameter(wave.Bit(), wave.Frequency(), wave.Channel(), m_setting.BufferLength, choice);
    emit SetParameter(m_setting.Schedule);
    return false;
}

bool ClsWaveCapture2File::StartCapture(const QDateTime &from)
{
    if (!m_capturer || !m_setting.Schedule)
        throw NumberedError(ErrNo::InvalidProcedureCall, QStringLiteral("the capture has not been prepared"), kSource);
    m_monitor = false;
    if (m_setting.FilePath.isEmpty())
        m_setting.FilePath = m_services->appFolder;
    m_capturer->AwaitOpen();  // a source that failed leaves no file behind
    if (m_mp3Writer)
        StartRealTimePart();
    else
        OpenPart();
    m_stopRequested = false;
    m_capturer->StartSchedule(SoundSource::SteadyMoment(*m_services->clock, from));
    return false;
}

bool ClsWaveCapture2File::StopCapture()
{
    m_stopRequested = true;
    if (m_capturer)
        m_capturer->StopSchedule();
    return false;
}

void ClsWaveCapture2File::BeginMonitor(std::shared_ptr<ClsSchedule> Schedule)
{
    if (!Schedule)
        throw NumberedError::Standard(ErrNo::ObjectNotSet, kSource);
    m_monitor = true;
    const SourceChoice choice = SourceChoice::Of(*Schedule);
    EnsureCapturer(choice);
    m_setting = uCaptureSetting{Schedule, 5, 0, {}, {}, {}};
    const ClsWave &wave = Wave();
    m_desc = m_capturer->SetParameter(wave.Bit(), wave.Frequency(), wave.Channel(), m_setting.BufferLength, choice);
    emit SetParameter(Schedule);
    m_capturer->StartSchedule();
}

void ClsWaveCapture2File::EndMonitor()
{
    if (m_capturer)
        m_capturer->StopSchedule();
}

QString ClsWaveCapture2File::MakePartFileName(const QDateTime &now)
{
    const ClsSchedule &schedule = *m_setting.Schedule;
    const QString base = PartFileName::Base(ClsFileNameMaker::MakeFileName(
        schedule.FileName(), schedule.Name(), now, -qint32(schedule.TimeDayStart().count())), now);
    const PartFileName::Numbered name =
        PartFileName::Unique(m_setting.FilePath, base, 0, PartFileName::kWaveAndMp3, m_partNamesIssued);
    m_partNamesIssued.insert(name.name.toLower());
    return name.name;
}

template <typename Sample>
void ClsWaveCapture2File::Capturer_ArriveReadableBuffer()
{
    // Out of its place for the block's turn: a turn that began inside this one would fill a
    // buffer of its own.
    std::vector<Sample> block = std::move(BlockBuffer<Sample>());
    try {
        if constexpr (std::is_same_v<Sample, qint16>) {
            m_capturer->WaveData16(block);
            emit ArriveWaveData16(block);
        } else {
            m_capturer->WaveData8(block);
            emit ArriveWaveData8(block);
        }
        if (!m_monitor) {
            if (IsPlaceholder(block))
                block.clear();
            if (!block.empty() && (m_startTrimming || Wave().ENSValid()))
                ApplySilenceFilter(block);
            if (Wave().Split())
                WriteBlockWithSilenceSplit(block);
            else
                WriteBlock(block);
        }
    } catch (const NumberedError &e) {
        if (m_capturer)
            m_capturer->ReportListenerError(e);
    } catch (const std::exception &e) {
        if (m_capturer)
            m_capturer->ReportListenerError(
                NumberedError(ErrNo::InvalidProcedureCall, QString::fromLocal8Bit(e.what()), kSource));
    }
    BlockBuffer<Sample>() = std::move(block);
}

template <typename Sample>
std::vector<Sample> &ClsWaveCapture2File::BlockBuffer()
{
    if constexpr (std::is_same_v<Sample, qint16>)
        return m_block16;
    else
        return m_block8;
}

template <typename Sample>
void ClsWaveCapture2File::ApplySilenceFilter(std::vector<Sample> &block)
{
    if (m_writeFailed)
        return;  // nothing more is written, and the filter would only hold it back
    UseSpillFolder();
    const Bit bit = Wave().Bit();
    const qint32 align = m_desc.Format.BlockAlign;
    std::vector<qint16> wide;
    if constexpr (std::is_same_v<Sample, qint16>)
        wide.swap(block);
    else
        wide = Widen(block);

    // What the filter lets go of its held-back samples opens the block in the backlog.
    std::vector<qint16> kept;
    try {
        if (m_startTrimming) {
            kept = m_filter->FStartNoSound(std::move(wide), bit, align, m_backlog.Opening());
            m_startTrimming = kept.size() == 1 && kept.front() == kZeroLevel<Sample>;
        } else {
            kept = m_filter->FEndNoSound(std::move(wide), bit, align, m_backlog.Opening());
        }
    } catch (const NumberedError &e) {
        if (e.Number() != ErrNo::Overflow) {
            // Held-back sound that cannot be kept is a write that failed.
            block.clear();
            WriteFailed(e);
            return;
        }
        // A filter that cannot work is switched off and the block written as it came.
        if (m_startTrimming)
            m_startTrimming = false;
        else
            m_setting.Schedule->WaveSetting()->setENSValid(false);
        if constexpr (std::is_same_v<Sample, qint16>)
            block.swap(wide);
        return;
    }
    if (kept.size() == 1 && kept.front() == kZeroLevel<Sample>) {
        if constexpr (std::is_same_v<Sample, qint16>)
            block.swap(wide);  // the filter has copied what it holds back: the storage serves again
        block.clear();
    } else if constexpr (std::is_same_v<Sample, qint16>) {
        block = std::move(kept);
    } else {
        block.assign(kept.begin(), kept.end());
    }
}

template <typename Sample>
void ClsWaveCapture2File::Put(std::span<const Sample> block, bool splitHere)
{
    if (m_mp3Writer) {
        if (!block.empty()) {
            m_toEncoder.assign(block.begin(), block.end());
            m_mp3Writer->EncodeRealTime(m_toEncoder);
            m_realTimeBytes += 2 * qint64(block.size());
        }
        if ((splitHere && m_realTimeBytes > 0) || m_realTimeBytes > m_splitSize) {
            m_realTimeBytes = 0;
            CloseRealTimePart();
            StartRealTimePart();
        }
    } else {
        if (!block.empty()) {
            if constexpr (std::is_same_v<Sample, qint16>)
                m_writer->Write16(block);
            else
                m_writer->Write8(block);
        }
        // A part is never closed before it holds any sound (a recording that opens with a
        // long silence puts that silence into its first file).
        if ((splitHere && m_writer->DataBytes() > 0) || m_splitSize < m_writer->FileCursorPosition())
            SplitFile();
    }
    if (!block.empty())
        m_startTrimming = false;
}

// Every block goes through the backlog, in which it waits only while an earlier one is
// still being written; the splitting at silences, when it is on, happens as it comes out.
template <typename Sample>
void ClsWaveCapture2File::WriteBlock(const std::vector<Sample> &block)
{
    if (m_writeFailed)
        return;
    try {
        UseSpillFolder();
        m_backlog.Push(block, m_stopRequested);
    } catch (const NumberedError &e) {
        WriteFailed(e);
    }
    Drain<Sample>(m_stopRequested);
}

template <typename Sample>
void ClsWaveCapture2File::WriteBlockWithSilenceSplit(const std::vector<Sample> &block)
{
    WriteBlock(block);
}

template <typename Sample>
SilenceSplitter<Sample> &ClsWaveCapture2File::Splitter()
{
    if constexpr (std::is_same_v<Sample, qint16>)
        return *m_splitter16;
    else
        return *m_splitter8;
}

template <typename Sample>
void ClsWaveCapture2File::Drain(bool all)
{
    const bool split = Wave().Split();
    SilenceSplitter<Sample> &splitter = Splitter<Sample>();
    SplitterTurn &turn = m_splitterTurn;
    const auto decided = [&turn](const typename SilenceSplitter<Sample>::Decision &d, bool stopping) {
        turn.writing = d.count > 0 || d.splitHere;
        turn.splitHere = d.splitHere;
        // At the end of a recording everything carried over is written now.
        turn.again = stopping && d.morePending;
    };
    // Pieces are written (or fed to the splitter) from where they wait, then removed. The
    // scratch buffers hold only what comes back from a spool's file; narrow, 8-bit pieces.
    std::vector<Sample> splitterScratch;
    std::vector<qint16> backlogScratch;
    std::vector<quint8> narrow;
    try {
        for (qint64 budget = kCatchUpSamples; !m_writeFailed && (all || (budget > 0 && EncoderReady()));) {
            if (turn.writing) {
                const std::span<const Sample> piece = splitter.FrontOutput(PieceSamples(), splitterScratch);
                budget -= qint64(piece.size());
                turn.writing = splitter.OutputLeft() > qint64(piece.size());
                Put(piece, !turn.writing && turn.splitHere);
                splitter.DropOutput(qint64(piece.size()));
            } else if (turn.again) {
                decided(splitter.End(true), true);
            } else if (!m_backlog.Empty()) {
                const SampleBacklog::Piece piece = m_backlog.Front(PieceSamples(), backlogScratch);
                budget -= qint64(piece.samples.size());
                std::span<const Sample> samples;
                if constexpr (std::is_same_v<Sample, qint16>) {
                    samples = piece.samples;
                } else {
                    narrow.assign(piece.samples.begin(), piece.samples.end());
                    samples = narrow;
                }
                if (!split) {
                    if (!samples.empty())
                        Put(samples, false);
                } else {
                    splitter.Feed(samples.data(), qsizetype(samples.size()));
                }
                m_backlog.DropFront(piece);
                if (split && piece.endsBlock)
                    decided(splitter.End(piece.stop), piece.stop);
            } else {
                return;
            }
        }
    } catch (const NumberedError &e) {
        WriteFailed(e);
    }
    if (m_writeFailed) {
        m_backlog.Clear();
        splitter.Clear();
        turn = SplitterTurn();
    }
}

qint64 ClsWaveCapture2File::PieceSamples() const
{
    // Half seconds of an odd rate alternate in length; the longer one is a piece.
    const qint64 channels = std::max<qint64>(m_desc.Format.Channels, 1);
    return std::max<qint64>((m_desc.Format.SamplesPerSec + 1) / 2, 1) * channels;
}

void ClsWaveCapture2File::DrainAll()
{
    if (Wave().Bit() == Bit::Hi16bit)
        Drain<qint16>(true);
    else
        Drain<quint8>(true);
}

bool ClsWaveCapture2File::EncoderReady() const
{
    return !m_mp3Writer || m_mp3Writer->BytesQueued() < kEncoderQueueBytes;
}

// The recording's own folder: the disk chosen for the recording, which the sound would have
// filled anyway had it not been held back (a temporary folder may be in memory).
void ClsWaveCapture2File::UseSpillFolder()
{
    m_backlog.setSpillFolder(m_setting.FilePath);
    if (m_filter)
        m_filter->setSpillFolder(m_setting.FilePath);
    m_splitter8->setSpillFolder(m_setting.FilePath);
    m_splitter16->setSpillFolder(m_setting.FilePath);
}

void ClsWaveCapture2File::WriteFailed(const NumberedError &error)
{
    if (std::exchange(m_writeFailed, true))
        return;
    StopCapture();
    emit WriteError(error);
}

// The source has stopped itself; the recording ends with what was written.
void ClsWaveCapture2File::Capturer_Failed(const NumberedError &error)
{
    if (std::exchange(m_writeFailed, true))
        return;
    emit WriteError(error);
}

void ClsWaveCapture2File::OpenPart()
{
    m_writer->OpenFreeFile(m_setting.FilePath, m_desc.Format, MakePartFileName(m_services->clock->Now()));
}

void ClsWaveCapture2File::SplitFile()
{
    Writer_FinishWrite(m_writer->CloseFile(), false);
    m_writer = std::make_unique<ClsWaveWriter>(m_services->clock);
    OpenPart();
}

void ClsWaveCapture2File::StartRealTimePart()
{
    const QDateTime now = m_services->clock->Now();
    const ClsSchedule &schedule = *m_setting.Schedule;
    const ClsMP3 &mp3 = *schedule.MP3();
    const ClsWave &wave = Wave();
    const QString partName = MakePartFileName(now);

    const Mp3EncodeSettings settings = EncodeSettingsOf(schedule, now);
    QString folder = m_setting.FilePath;
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    m_realTimePath = folder + partName + QStringLiteral(".mp3");
    m_realTimePartEnded = false;
    m_mp3Writer->SetParameterRealTimeEnc(m_realTimePath, SampleRateOf(wave.Frequency()), ChannelCountOf(wave.Channel()),
                                         BitsPerSampleOf(wave.Bit()), settings);
    m_mp3Writer->SetPriority(EncoderPriorityClass(mp3));
}

void ClsWaveCapture2File::CloseRealTimePart()
{
    m_realTimePartsClosing.push_back(m_realTimePath);
    if (m_realTimePartEnded)
        RealTimePartClosed();  // the encoder ended it already: there is nothing to wait for
    else
        m_mp3Writer->FinishEncodeRealTime();
}

void ClsWaveCapture2File::Capturer_FinishCapture()
{
    if (m_monitor) {
        DropCapturer();
        return;
    }
    ReportSoundLost();
    try {
        // Whoever stopped the capture, it is over: what the splitter still carries goes out now.
        m_stopRequested = true;
        DrainAll();
        if (Wave().Split()) {
            if (Wave().Bit() == Bit::Hi16bit)
                WriteBlockWithSilenceSplit<qint16>({});
            else
                WriteBlockWithSilenceSplit<quint8>({});
        }
        if (m_mp3Writer) {
            // The recording is over once the encoder has closed its last part.
            m_recordingOver = true;
            DropCapturer();
            m_filter.reset();
            m_realTimeBytes = 0;
            CloseRealTimePart();
            return;
        }
    } catch (const std::exception &e) {
        const auto *numbered = dynamic_cast<const NumberedError *>(&e);
        emit WriteError(numbered ? *numbered
                                 : NumberedError(ErrNo::InvalidProcedureCall, QString::fromLocal8Bit(e.what()), kSource));
    }
    Writer_FinishWrite(m_writer ? m_writer->CloseFile() : QString(), true);
}

void ClsWaveCapture2File::ReportSoundLost()
{
    if (const qint64 lost = m_capturer ? m_capturer->FramesLost() : 0; lost > 0)
        emit SoundLost(lost, qint32(m_desc.Format.SamplesPerSec));
}

void ClsWaveCapture2File::Writer_FinishWrite(const QString &FilePath, bool last)
{
    if (last) {
        DropCapturer();
        m_filter.reset();
        m_writer.reset();
    }
    if (!FilePath.isEmpty())
        emit FinishCapture(FilePath);
    if (last)
        emit CaptureClosed();
}

void ClsWaveCapture2File::MP3Writer_FinishEncode()
{
    if (m_realTimePartsClosing.empty()) {
        // The part being written has ended by itself: the encoder failed (its error came first).
        m_realTimePartEnded = true;
        return;
    }
    RealTimePartClosed();
}

void ClsWaveCapture2File::RealTimePartClosed()
{
    const QString path = m_realTimePartsClosing.front();
    m_realTimePartsClosing.pop_front();
    const bool last = m_recordingOver && m_realTimePartsClosing.empty();
    if (last)
        m_mp3Writer.release()->deleteLater();  // its own signal may still be running
    emit FinishRealTimePart(path);
    if (last)
        emit CaptureClosed();
}

// One report per recording: what the encoder says after its first error follows from it.
void ClsWaveCapture2File::MP3Writer_EncodeError(const NumberedError &error)
{
    if (!m_recordingOver) {
        WriteFailed(error);
    } else if (!std::exchange(m_writeFailed, true)) {
        emit WriteError(error);
    }
}

}  // namespace tolvane
