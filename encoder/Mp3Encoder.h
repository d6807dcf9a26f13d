#pragma once
// One encoder job at a time on LAME: a finished WAVE file encoded in slices, or blocks of
// samples encoded as they arrive during a recording. What the job reports goes to an
// IEncoderEvents; nothing here shows a window.

#include "encoder/protocol/Mp3EncodeSettings.h"

#include <QByteArray>
#include <QString>

#include <lame/lame.h>

#include <memory>
#include <vector>

namespace tolvane {

class NumberedError;
class Mp3OutputFile;
class WaveFileReader;

class IEncoderEvents {
public:
    virtual ~IEncoderEvents() = default;
    // Sent before the input is renamed or the output created, so that whoever outlives a
    // crashed encoder knows which files to put right.
    virtual void FilesChosen(const QString &workingInput, const QString &output) = 0;
    virtual void EncodeError(const NumberedError &error) = 0;
    virtual void FinishEncode() = 0;
};

class Mp3Encoder {
public:
    // Input bytes held back between blocks of a real-time encode, so that every frame the
    // encoder takes finds enough input until the recording ends.
    static constexpr qsizetype kRealTimeReserve = 10002;

    explicit Mp3Encoder(IEncoderEvents &events);
    ~Mp3Encoder();
    Mp3Encoder(const Mp3Encoder &) = delete;
    Mp3Encoder &operator=(const Mp3Encoder &) = delete;

    // Prepares a file encode of WavFilePath. The sample rate and channels come from the file's
    // own header; WaveFreq and nChannel are what the caller expected of it. An error is
    // reported at once and leaves the file where it was; the encode then ends without work.
    void SetParameter(const QString &WavFilePath, qint32 WaveFreq, qint32 nChannel, const Mp3EncodeSettings &settings);
    // Encodes the next slice of the prepared file; false when the encode has ended and
    // FinishEncode has been reported.
    bool EncodeFileSlice();
    // Fraction of the file encode done, 0 to 1.
    double FileProgress() const;

    // Prepares a real-time encode into FilePath. nChannel is 1 or 2, nBit 8 or 16.
    void SetParameterRealTimeEnc(const QString &FilePath, qint32 nFreq, qint32 nChannel, qint32 nBit,
                                 const Mp3EncodeSettings &settings);
    // One block: the values as signed 16-bit little-endian (0 to 255 for 8-bit audio).
    void EncodeRealTime(const QByteArray &block);
    // Drains what is held back, padded with silence to a whole frame, and closes the file.
    void FinishEncodeRealTime();

    // The caller has gone away: a real-time encode is drained and closed, a file encode is
    // abandoned with its input put back. Nothing is reported.
    void Abandon();

    // A job is prepared or running.
    bool Busy() const { return m_mode != Mode::None; }

private:
    enum class Mode { None, File, RealTime };
    struct LameCloser {
        void operator()(lame_global_flags *lame) const { lame_close(lame); }
    };

    void Reset(Mode mode, const Mp3EncodeSettings &settings);
    void OpenLame(qint32 sampleRate, qint32 channels, bool monoInput);
    void OpenOutput(const QString &path);
    // Encodes samples and appends the result; returns LAME's code, negative on failure.
    int EncodeSamples(const qint16 *samples, qsizetype frames);
    // Flushes LAME and completes the output file; returns LAME's code.
    int FinishOutput();
    // The real-time encode step; final drains everything.
    void EncodeStep(bool final);
    // Takes one frame's worth of input from the held-back bytes: 0 after taking some, 1 when
    // nothing was left, LAME's code on failure.
    int ProcessRealTimeFrame();
    // Ends the job: a file encode deletes or restores its input; reports FinishEncode.
    void EndJob(bool succeeded);
    void EndFileJob(bool succeeded);
    void Fail(const NumberedError &error);
    void FailWithCode(int code);

    IEncoderEvents &m_events;
    Mode m_mode = Mode::None;
    bool m_failed = false;
    Mp3EncodeSettings m_settings;
    std::unique_ptr<lame_global_flags, LameCloser> m_lame;
    std::unique_ptr<Mp3OutputFile> m_output;
    QByteArray m_id3Tag;
    std::vector<unsigned char> m_mp3;
    std::vector<qint16> m_pcm;
    qint32 m_channels = 0;

    // File mode
    std::unique_ptr<WaveFileReader> m_reader;
    QString m_givenPath;
    QString m_workingPath;
    QString m_outputPath;

    // Real-time mode
    qint32 m_bits = 16;
    QByteArray m_pending;
    qsizetype m_readOffset = 0;
    QByteArray m_frameBytes;
};

}  // namespace tolvane
