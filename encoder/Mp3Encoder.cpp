#include "Mp3Encoder.h"

#include "common/NumberedError.h"
#include "encoder/ClsNameDoublingChecker.h"
#include "encoder/ID3v1Tag.h"
#include "encoder/ID3v2Tag.h"
#include "encoder/LameConfiguration.h"
#include "encoder/Mp3OutputFile.h"
#include "encoder/PcmSamples.h"
#include "encoder/WaveFileReader.h"

#include <QFile>

#include <cstring>

namespace tolvane {

namespace {

const QString kSource = QStringLiteral("Encorda");
// Sample frames per slice of a file encode: a few milliseconds of work, so that calls
// arriving meanwhile are answered at once.
constexpr qint64 kSliceFrames = 1152 * 16;
// The input one real-time frame takes, in sample frames.
constexpr qsizetype kRealTimeFrameSamples = 1152;

NumberedError LibraryError(int code)
{
    return NumberedError(code, QStringLiteral("エラーが発生しました errcode = %1").arg(code), kSource);
}

// The path with the three-letter extension of its file name replaced (rec.WAV gives rec.mp3),
// or with the extension added when the name has no such extension.
QString WithExtension(const QString &path, const QString &extension)
{
    const qsizetype nameStart = path.lastIndexOf(QLatin1Char('/')) + 1;
    const qsizetype dot = path.size() - 4;
    if (dot >= nameStart && path.at(dot) == QLatin1Char('.'))
        return path.left(dot + 1) + extension;
    return path + QLatin1Char('.') + extension;
}

}  // namespace

Mp3Encoder::Mp3Encoder(IEncoderEvents &events) : m_events(events) {}

Mp3Encoder::~Mp3Encoder() = default;

void Mp3Encoder::Reset(Mode mode, const Mp3EncodeSettings &settings)
{
    m_mode = mode;
    m_failed = false;
    m_settings = settings;
    m_lame.reset();
    m_output.reset();
    m_reader.reset();
    m_id3Tag = settings.MakeID3Tag ? MakeID3v1Tag(settings) : QByteArray();
    m_givenPath.clear();
    m_workingPath.clear();
    m_outputPath.clear();
}

void Mp3Encoder::SetParameter(const QString &WavFilePath, qint32 WaveFreq, qint32 nChannel,
                              const Mp3EncodeSettings &settings)
{
    // The file's header says what the samples really are; WaveFreq names the same rate for
    // every file the recorder writes.
    Q_UNUSED(WaveFreq);
    Reset(Mode::File, settings);
    m_givenPath = WavFilePath;
    m_workingPath = WavFilePath;
    try {
        m_reader = std::make_unique<WaveFileReader>(WavFilePath);
        OpenLame(m_reader->SampleRate(), m_reader->Channels(), nChannel == 0 || m_reader->Channels() == 1);

        // While a RIFF WAVE file is made from it, the WAVE file steps aside to a name that no
        // WAVE reader takes for a recording.
        QString working = WavFilePath;
        if (settings.MP3FileFormat == Mp3OutputFile::RiffWave)
            working = ClsNameDoublingChecker::AdaptFileName(WithExtension(WavFilePath, QStringLiteral("mp3.tmp")));
        const QString output = ClsNameDoublingChecker::AdaptFileName(
            WithExtension(WavFilePath, Mp3OutputFile::Extension(settings.MP3FileFormat)));
        m_events.FilesChosen(working, output);
        if (working != WavFilePath && !QFile::rename(WavFilePath, working))
            throw NumberedError(ErrNo::PathFileAccess,
                                QStringLiteral("%1: %2 に名前を変更できません").arg(WavFilePath, working), kSource);
        m_workingPath = working;
        m_outputPath = output;
    } catch (const NumberedError &e) {
        Fail(e);
    }
}

bool Mp3Encoder::EncodeFileSlice()
{
    if (m_mode != Mode::File)
        return false;
    if (m_failed) {
        EndJob(false);
        return false;
    }
    try {
        if (!m_output)
            OpenOutput(m_outputPath);
        m_reader->Read(m_pcm, kSliceFrames);
        const int result = m_pcm.empty() ? FinishOutput()
                                         : EncodeSamples(m_pcm.data(), static_cast<qsizetype>(m_pcm.size()) / m_channels);
        if (result < 0) {
            FailWithCode(result);
            EndJob(false);
            return false;
        }
        if (m_pcm.empty()) {
            EndJob(true);
            return false;
        }
        return true;
    } catch (const NumberedError &e) {
        Fail(e);
        EndJob(false);
        return false;
    }
}

double Mp3Encoder::FileProgress() const
{
    return m_reader ? m_reader->Progress() : 0.0;
}

void Mp3Encoder::SetParameterRealTimeEnc(const QString &FilePath, qint32 nFreq, qint32 nChannel, qint32 nBit,
                                         const Mp3EncodeSettings &settings)
{
    Reset(Mode::RealTime, settings);
    m_bits = nBit;
    m_pending.clear();
    m_readOffset = 0;
    try {
        // LAME encodes every positive rate; 8000 to 12000 Hz become MPEG-2.5 streams.
        if (nFreq <= 0)
            throw NumberedError(ErrNo::InvalidLevel, QStringLiteral("入力周波数は正の数でなければなりません。"),
                                QStringLiteral("SetParameter"));
        if ((nChannel != 1 && nChannel != 2) || (nBit != 8 && nBit != 16))
            throw NumberedError::Standard(ErrNo::InvalidProcedureCall, QStringLiteral("SetParameter"));
        OpenLame(nFreq, nChannel, nChannel == 1);
        const QString output = ClsNameDoublingChecker::AdaptFileName(FilePath);
        m_events.FilesChosen(QString(), output);
        OpenOutput(output);
    } catch (const NumberedError &e) {
        Fail(e);
    }
}

void Mp3Encoder::EncodeRealTime(const QByteArray &block)
{
    if (m_mode != Mode::RealTime || m_failed)
        return;
    QByteArray bytes;
    if (m_bits == 8) {
        bytes.resize(block.size() / 2);
        for (qsizetype i = 0; i < bytes.size(); ++i)
            bytes[i] = block[2 * i];  // the low byte holds the value 0 to 255
    } else {
        bytes = block;
    }
    m_pending.remove(0, m_readOffset);
    m_pending.append(bytes);
    m_readOffset = 0;
    EncodeStep(false);
}

void Mp3Encoder::FinishEncodeRealTime()
{
    if (m_mode != Mode::RealTime)
        return;
    if (m_failed) {
        EndJob(false);
        return;
    }
    EncodeStep(true);
}

void Mp3Encoder::Abandon()
{
    if (m_mode == Mode::RealTime)
        FinishEncodeRealTime();
    else if (m_mode == Mode::File)
        EndJob(false);
}

void Mp3Encoder::OpenLame(qint32 sampleRate, qint32 channels, bool monoInput)
{
    m_lame.reset(lame_init());
    if (!m_lame)
        throw LibraryError(-2);
    ConfigureLame(m_lame.get(), m_settings, sampleRate, channels, monoInput);
    const int result = lame_init_params(m_lame.get());
    if (result < 0)
        throw LibraryError(result);
    m_channels = channels;
}

void Mp3Encoder::OpenOutput(const QString &path)
{
    lame_global_flags *lame = m_lame.get();
    Mp3OutputFile::Stream stream;
    stream.sampleRate = lame_get_out_samplerate(lame);
    stream.channels = lame_get_mode(lame) == MONO ? 1 : 2;
    stream.cbrKbps = lame_get_VBR(lame) == vbr_off ? lame_get_brate(lame) : 0;
    stream.samplesPerFrame = lame_get_framesize(lame);
    stream.encoderDelay = lame_get_encoder_delay(lame);
    // The RIFF files keep their one tag in a chunk of its own; a bare stream gets both versions.
    const bool riff = m_settings.MP3FileFormat == Mp3OutputFile::RiffWave || m_settings.MP3FileFormat == Mp3OutputFile::RiffRmp;
    const QByteArray id3v2Tag = m_settings.MakeID3Tag && !riff ? MakeID3v2Tag(m_settings) : QByteArray();
    m_output = std::make_unique<Mp3OutputFile>(path, m_settings.MP3FileFormat, stream, id3v2Tag);
}

int Mp3Encoder::EncodeSamples(const qint16 *samples, qsizetype frames)
{
    m_mp3.resize(static_cast<size_t>(frames + frames / 4 + 7200));
    auto *pcm = const_cast<short *>(samples);  // LAME only reads its input
    const int size = static_cast<int>(m_mp3.size());
    const int bytes = m_channels == 2
                          ? lame_encode_buffer_interleaved(m_lame.get(), pcm, static_cast<int>(frames), m_mp3.data(), size)
                          : lame_encode_buffer(m_lame.get(), pcm, pcm, static_cast<int>(frames), m_mp3.data(), size);
    if (bytes < 0)
        return bytes;
    m_output->Append(m_mp3.data(), bytes, lame_get_frameNum(m_lame.get()));
    return 0;
}

int Mp3Encoder::FinishOutput()
{
    m_mp3.resize(7200);
    const int bytes = lame_encode_flush(m_lame.get(), m_mp3.data(), static_cast<int>(m_mp3.size()));
    if (bytes < 0)
        return bytes;
    m_output->Append(m_mp3.data(), bytes, lame_get_frameNum(m_lame.get()));

    QByteArray firstFrame(4096, '\0');
    const size_t tagBytes =
        lame_get_lametag_frame(m_lame.get(), reinterpret_cast<unsigned char *>(firstFrame.data()), firstFrame.size());
    firstFrame.resize(tagBytes <= static_cast<size_t>(firstFrame.size()) ? static_cast<qsizetype>(tagBytes) : 0);
    m_output->Finish(firstFrame, m_id3Tag, lame_get_frameNum(m_lame.get()));
    return 0;
}

void Mp3Encoder::EncodeStep(bool final)
{
    try {
        int result = 0;
        while (m_pending.size() - m_readOffset >= kRealTimeReserve && result == 0)
            result = ProcessRealTimeFrame();
        if (result != 0 && result != 1) {
            FailWithCode(result);
            EndJob(false);
            return;
        }
        if (!final)
            return;
        while ((result = ProcessRealTimeFrame()) == 0) {
        }
        if (result == 1)
            result = FinishOutput();
        if (result < 0) {
            FailWithCode(result);
            EndJob(false);
            return;
        }
        EndJob(true);
    } catch (const NumberedError &e) {
        Fail(e);
        EndJob(false);
    }
}

int Mp3Encoder::ProcessRealTimeFrame()
{
    const qsizetype bytesPerSample = m_bits / 8;
    const qsizetype count = kRealTimeFrameSamples * m_channels * bytesPerSample;
    const qsizetype unread = m_pending.size() - m_readOffset;
    if (unread <= 0)
        return 1;
    m_frameBytes.resize(count);
    if (unread < count) {
        // The last of the recording, padded to a whole frame with silence (128 is the zero
        // level of 8-bit samples: a zero byte there would end the recording with a click).
        std::memcpy(m_frameBytes.data(), m_pending.constData() + m_readOffset, unread);
        std::memset(m_frameBytes.data() + unread, m_bits == 8 ? 128 : 0, count - unread);
        m_pending.clear();
        m_readOffset = 0;
    } else {
        std::memcpy(m_frameBytes.data(), m_pending.constData() + m_readOffset, count);
        m_readOffset += count;
    }

    PcmToSamples(m_frameBytes, count / bytesPerSample, m_bits, m_pcm);
    return EncodeSamples(m_pcm.data(), kRealTimeFrameSamples);
}

void Mp3Encoder::EndJob(bool succeeded)
{
    if (m_mode == Mode::File) {
        EndFileJob(succeeded);
    } else if (m_output) {
        // What a recording has written so far stays: it may be all there is of it.
        m_output->Close();
    }
    m_output.reset();
    m_lame.reset();
    m_mode = Mode::None;
    m_events.FinishEncode();
}

void Mp3Encoder::EndFileJob(bool succeeded)
{
    m_reader.reset();
    const bool moved = m_workingPath != m_givenPath;
    if (succeeded && m_settings.MP3DeleteWavFile) {
        if (!QFile::remove(m_workingPath))
            Fail(NumberedError(ErrNo::PathFileAccess, QStringLiteral("%1: 削除できません").arg(m_workingPath), kSource));
        return;
    }
    if (!succeeded && m_output)
        m_output->Discard();
    if (moved && !QFile::rename(m_workingPath, m_givenPath))
        Fail(NumberedError(ErrNo::PathFileAccess,
                           QStringLiteral("%1: %2 に名前を戻せません").arg(m_workingPath, m_givenPath), kSource));
}

void Mp3Encoder::Fail(const NumberedError &error)
{
    m_failed = true;
    m_events.EncodeError(error);
}

void Mp3Encoder::FailWithCode(int code)
{
    Fail(LibraryError(code));
}

}  // namespace tolvane
