#pragma once
// The capture output for WAVE and MP3 recordings: it takes the sound source's half-second
// blocks, hands each to the controller, cuts silence at the start and end, splits by size,
// time or long silences, and writes the parts as WAVE files (or into the MP3 encoder while
// recording), reporting every finished part. It also monitors without writing anything.

#include "core/capture/ClsFilter.h"
#include "core/capture/ClsWaveWriter.h"
#include "core/capture/ICapturePipeline.h"
#include "core/capture/SampleBacklog.h"
#include "core/capture/SilenceSplitter.h"
#include "core/capture/SoundSource.h"
#include "core/encoder/IWavFile2MP3.h"
#include "core/platform/CoreServices.h"

#include <QPointer>
#include <QSet>

#include <deque>
#include <functional>
#include <span>

namespace tolvane {

class ClsWaveCapture2File final : public ICapturePipeline {
    Q_OBJECT
public:
    using SourceMaker = std::function<std::unique_ptr<SoundSource>(const SourceChoice &)>;

    // No part of a recording grows much beyond this many bytes.
    static constexpr qint32 kMaxSplitSize = 2'000'000'000;
    // While a backlog is written (a long silence that the filter lets go, or sound that waited
    // for the encoder), each block's turn writes at most this many samples (8 MiB): a few
    // milliseconds of writing, and still 45 times as fast as 48 kHz stereo comes in.
    static constexpr qint64 kCatchUpSamples = qint64{1} << 22;
    // The real-time encoder gets more only while less than this is on its way to it (its
    // client holds at most ClsWavFile2MP3::kMaxQueuedBytes, 8 MiB, at the end of a recording).
    //
    // Held-back sound thus takes at most about 21 MiB of memory, however long it lasts: 4 MiB
    // in each of the filter's, the backlog's and the silence splitter's spools (SampleSpool),
    // 8 MiB on its way to the encoder, and a few pieces; the rest waits on disk.
    static constexpr qint64 kEncoderQueueBytes = qint64{4} << 20;

    // makeSource makes the sound source of a capture; encoders the real-time MP3 encoder (may
    // be null when MP3 encoding is not available).
    ClsWaveCapture2File(std::shared_ptr<const CoreServices> services, SourceMaker makeSource,
                        std::shared_ptr<IEncoderFactory> encoders, QObject *parent = nullptr);
    ~ClsWaveCapture2File() override;

    using ICapturePipeline::SetParameter;
    // Errors of the encoder, the format and the device propagate; each returns false.
    bool SetParameter(uCaptureSetting &setting) override;
    bool StartCapture(const QDateTime &from) override;
    bool StopCapture() override;
    void BeginMonitor(std::shared_ptr<ClsSchedule> Schedule) override;
    void EndMonitor() override;

    // The size at which a part is closed, from the wave setting's time split.
    qint32 SplitSize() const { return m_splitSize; }
    // Sound is written, and handed to the MP3 encoder, in pieces of half a second at most, as
    // the sound card delivers it (48,000 samples at the most): a part split by size or time
    // still ends within half a second of its size, however much was held back, and no message
    // to the encoder comes near the protocol's limit.
    qint64 PieceSamples() const;
    // The source of the capture under way (none before SetParameter and after the end).
    SoundSource *Capturer() const { return m_capturer; }

private:
    template <typename Sample> void Capturer_ArriveReadableBuffer();
    template <typename Sample> void ApplySilenceFilter(std::vector<Sample> &block);
    template <typename Sample> void WriteBlock(const std::vector<Sample> &block);
    template <typename Sample> void WriteBlockWithSilenceSplit(const std::vector<Sample> &block);
    template <typename Sample> void Put(std::span<const Sample> block, bool splitHere);
    template <typename Sample> SilenceSplitter<Sample> &Splitter();
    // The buffer the source's blocks are copied into, kept from block to block.
    template <typename Sample> std::vector<Sample> &BlockBuffer();
    // Writes what waits in the backlog, oldest first, through the silence splitter when the
    // recording splits at silences: everything when all is set (the recording is over), else
    // one block's turn, and no more than the real-time encoder takes without falling behind.
    template <typename Sample> void Drain(bool all);
    void DrainAll();
    bool EncoderReady() const;
    // Held-back sound waits beside the recording.
    void UseSpillFolder();

    // A source for the choice: the one there is when it serves the same kind of source.
    void EnsureCapturer(const SourceChoice &choice);
    void DropCapturer();
    QString MakePartFileName(const QDateTime &now);
    void OpenPart();
    void SplitFile();
    void StartRealTimePart();
    void CloseRealTimePart();
    void WriteFailed(const NumberedError &error);
    void Capturer_FinishCapture();
    void Capturer_Failed(const NumberedError &error);
    void ReportSoundLost();
    // last: the recording is over, not just one of its parts.
    void Writer_FinishWrite(const QString &FilePath, bool last);
    void MP3Writer_FinishEncode();
    void RealTimePartClosed();
    void MP3Writer_EncodeError(const NumberedError &error);
    const ClsWave &Wave() const { return *m_setting.Schedule->WaveSetting(); }

    std::shared_ptr<const CoreServices> m_services;
    SourceMaker m_makeSource;
    std::shared_ptr<IEncoderFactory> m_encoders;

    QPointer<SoundSource> m_capturer;
    bool m_capturerIsStream = false;
    std::unique_ptr<ClsWaveWriter> m_writer;
    std::unique_ptr<IWavFile2MP3> m_mp3Writer;
    uCaptureSetting m_setting;
    CaptureBufferDesc m_desc;
    std::unique_ptr<ClsFilter> m_filter;
    std::unique_ptr<SilenceSplitter<quint8>> m_splitter8;
    std::unique_ptr<SilenceSplitter<qint16>> m_splitter16;
    SampleBacklog m_backlog;
    std::vector<quint8> m_block8;
    std::vector<qint16> m_block16;
    std::vector<qint16> m_toEncoder;  // a piece for the real-time encoder, which takes a vector
    // What the silence splitter decided last and is being written: its samples (or only a
    // split, when there are none), then, at the end of a recording, another decision while it
    // still carries samples over.
    struct SplitterTurn {
        bool writing = false;
        bool splitHere = false;
        bool again = false;
    } m_splitterTurn;
    qint32 m_splitSize = kMaxSplitSize;
    QSet<QString> m_partNamesIssued;  // lower case; a part's file may not be on disk yet

    bool m_startTrimming = false;
    bool m_monitor = false;
    bool m_stopRequested = false;
    bool m_writeFailed = false;
    qint64 m_realTimeBytes = 0;
    QString m_realTimePath;
    std::deque<QString> m_realTimePartsClosing;  // closed parts whose encode has not finished yet
    bool m_realTimePartEnded = false;            // the encoder ended the open part by itself
    bool m_recordingOver = false;
};

}  // namespace tolvane
