#include "WmaFileWriter.h"

#include "common/FileError.h"
#include "common/FileWrite.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <new>

#include <fcntl.h>
#include <unistd.h>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/audio_fifo.h>
#include <libavutil/channel_layout.h>
#include <libavutil/samplefmt.h>
#include <libswresample/swresample.h>
}

namespace tolvane {

namespace {

const QString kSource = QStringLiteral("WmaFileWriter");
constexpr int kIoBufferBytes = 32768;
constexpr AVRational kHundredNanoseconds{1, 10'000'000};

QString AvText(int error)
{
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(error, text, sizeof text);
    return QString::fromLocal8Bit(text);
}

void Check(int result, const char *what)
{
    if (result < 0)
        throw NumberedError(ErrNo::InvalidProcedureCall,
                            QStringLiteral("%1: %2").arg(QLatin1String(what), AvText(result)), kSource);
}

template <typename T>
T *Made(T *p)
{
    if (!p)
        throw std::bad_alloc();
    return p;
}

}  // namespace

void WmaFileWriter::FreeCodec(AVCodecContext *p) { avcodec_free_context(&p); }
void WmaFileWriter::FreeResampler(SwrContext *p) { swr_free(&p); }
void WmaFileWriter::FreeFifo(AVAudioFifo *p) { av_audio_fifo_free(p); }
void WmaFileWriter::FreeFrame(AVFrame *p) { av_frame_free(&p); }
void WmaFileWriter::FreePacket(AVPacket *p) { av_packet_free(&p); }
void WmaFileWriter::FreeFormat(AVFormatContext *p) { avformat_free_context(p); }
void WmaFileWriter::FreeIo(AVIOContext *p)
{
    av_freep(&p->buffer);
    avio_context_free(&p);
}

bool WmaFileWriter::Available()
{
    return avcodec_find_encoder_by_name("wmav2") != nullptr && av_guess_format("asf", nullptr, nullptr) != nullptr;
}

QString WmaFileWriter::Licence()
{
    return QString::fromUtf8(avcodec_license());
}

WmaFileWriter::WmaFileWriter(const WmeSession &session, qint32 inputRate) : m_session(session)
{
    const QByteArray codecName = session.Codec.toLatin1();
    const AVCodec *codec = avcodec_find_encoder_by_name(codecName.constData());
    if (!codec)
        throw NumberedError(ErrNo::CannotCreateObject,
                            QStringLiteral("FFmpeg offers no %1 encoder here").arg(session.Codec), kSource);
    if (!av_guess_format("asf", nullptr, nullptr))
        throw NumberedError(ErrNo::CannotCreateObject, QStringLiteral("FFmpeg offers no ASF muxer here"), kSource);

    m_codec.reset(Made(avcodec_alloc_context3(codec)));
    m_codec->sample_fmt = AV_SAMPLE_FMT_FLTP;
    m_codec->sample_rate = session.SampleRate;
    av_channel_layout_default(&m_codec->ch_layout, session.Channels);
    m_codec->bit_rate = session.BitRate;
    m_codec->time_base = AVRational{1, session.SampleRate};
    m_codec->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;  // the ASF muxer takes the codec data from the header
    if (const int opened = avcodec_open2(m_codec.get(), codec, nullptr); opened < 0)
        throw NumberedError(ErrNo::InvalidProcedureCall,
                            QStringLiteral("the %1 encoder refuses %2 bit/s at %3 Hz with %4 channel(s): %5")
                                .arg(session.Codec)
                                .arg(session.BitRate)
                                .arg(session.SampleRate)
                                .arg(session.Channels)
                                .arg(AvText(opened)),
                            kSource);

    SwrContext *resampler = nullptr;
    Check(swr_alloc_set_opts2(&resampler, &m_codec->ch_layout, AV_SAMPLE_FMT_FLTP, session.SampleRate,
                              &m_codec->ch_layout, AV_SAMPLE_FMT_S16, inputRate, 0, nullptr),
          "resampler");
    m_resampler.reset(resampler);
    Check(swr_init(resampler), "resampler");

    // An encoder without a fixed frame size takes any; it gets frames of a common size.
    const int frameSize = m_codec->frame_size > 0 ? m_codec->frame_size : 1024;
    m_fifo.reset(Made(av_audio_fifo_alloc(AV_SAMPLE_FMT_FLTP, session.Channels, frameSize)));
    m_frame.reset(Made(av_frame_alloc()));
    m_frame->nb_samples = frameSize;
    m_frame->format = AV_SAMPLE_FMT_FLTP;
    m_frame->sample_rate = session.SampleRate;
    Check(av_channel_layout_copy(&m_frame->ch_layout, &m_codec->ch_layout), "frame");
    Check(av_frame_get_buffer(m_frame.get(), 0), "frame");
    m_packet.reset(Made(av_packet_alloc()));
    m_planes.resize(size_t(session.Channels));
}

WmaFileWriter::~WmaFileWriter() { Finish(); }

void WmaFileWriter::Create(const QString &path)
{
    if (m_fd >= 0)
        throw NumberedError(ErrNo::FileAlreadyExists, QStringLiteral("%1: a file is already open").arg(m_path), kSource);
    IgnoreFileSizeSignal();
    m_path = path;
    m_fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (m_fd < 0) {
        if (errno == EEXIST)
            throw NumberedError(ErrNo::FileAlreadyExists, QStringLiteral("%1: the file exists").arg(path), kSource);
        throw FileError(errno, path, kSource);
    }
    try {
        AVFormatContext *format = nullptr;
        Check(avformat_alloc_output_context2(&format, nullptr, "asf", nullptr), "ASF muxer");
        m_format.reset(format);
        auto *buffer = static_cast<unsigned char *>(Made(av_malloc(kIoBufferBytes)));
        m_io.reset(avio_alloc_context(buffer, kIoBufferBytes, 1, this, nullptr, &WriteCallback, &SeekCallback));
        if (!m_io) {
            av_free(buffer);
            throw std::bad_alloc();
        }
        format->pb = m_io.get();
        format->flags |= AVFMT_FLAG_CUSTOM_IO;
        AVStream *stream = Made(avformat_new_stream(format, nullptr));
        Check(avcodec_parameters_from_context(stream->codecpar, m_codec.get()), "stream");
        stream->time_base = m_codec->time_base;

        const int written = avformat_write_header(format, nullptr);
        m_headerWritten = written >= 0;
        avio_flush(m_io.get());
        if (m_writeError)
            ThrowWriteError();
        Check(written, "ASF header");

        QByteArray start(m_fileEnd, Qt::Uninitialized);
        if (::pread(m_fd, start.data(), size_t(start.size()), 0) != start.size())
            throw FileError(errno ? errno : EIO, path, kSource);
        m_liveHeader.emplace(std::move(start));
    } catch (...) {
        // Nothing was recorded: the file is ours and not yet an ASF file to keep.
        if (!m_writeError)
            m_writeError = ECANCELED;
        Finish();
        ::unlink(QFile::encodeName(path).constData());
        throw;
    }
}

int WmaFileWriter::WriteCallback(void *opaque, std::uint8_t *bytes, int size)
{
    auto *w = static_cast<WmaFileWriter *>(opaque);
    if (w->m_writeError)
        return AVERROR(w->m_writeError);
    if (!WriteAllAt(w->m_fd, bytes, size, w->m_position)) {
        w->m_writeError = errno;
        return AVERROR(w->m_writeError);
    }
    w->m_position += size;
    w->m_fileEnd = std::max(w->m_fileEnd, w->m_position);
    return size;
}

std::int64_t WmaFileWriter::SeekCallback(void *opaque, std::int64_t offset, int whence)
{
    auto *w = static_cast<WmaFileWriter *>(opaque);
    qint64 target = -1;
    switch (whence & ~AVSEEK_FORCE) {
    case AVSEEK_SIZE: return w->m_fileEnd;
    case SEEK_SET: target = offset; break;
    case SEEK_CUR: target = w->m_position + offset; break;
    case SEEK_END: target = w->m_fileEnd + offset; break;
    default: break;
    }
    if (target < 0)
        return AVERROR(EINVAL);
    w->m_position = target;
    return target;
}

void WmaFileWriter::Write(const qint16 *samples, qint64 count)
{
    if (!m_headerWritten)
        throw NumberedError(ErrNo::BadFileMode, QStringLiteral("no Windows Media file is open"), kSource);
    if (m_writeError)
        ThrowWriteError();
    const quint8 *in[] = {reinterpret_cast<const quint8 *>(samples)};
    Resample(in, int(count / m_session.Channels));
    EncodeFrames(false);
    KeepHeaderCurrent();
}

void WmaFileWriter::Resample(const quint8 **in, int frames)
{
    const int room = swr_get_out_samples(m_resampler.get(), frames);
    Check(room, "resampling");
    std::vector<quint8 *> out;
    for (std::vector<float> &plane : m_planes) {
        plane.resize(size_t(room));
        out.push_back(reinterpret_cast<quint8 *>(plane.data()));
    }
    const int converted = swr_convert(m_resampler.get(), out.data(), room, in, frames);
    Check(converted, "resampling");
    Check(av_audio_fifo_write(m_fifo.get(), reinterpret_cast<void **>(out.data()), converted), "resampling");
}

void WmaFileWriter::EncodeFrames(bool last)
{
    AVFrame *frame = m_frame.get();
    const int frameSize = frame->nb_samples;
    while (av_audio_fifo_size(m_fifo.get()) >= frameSize || (last && av_audio_fifo_size(m_fifo.get()) > 0)) {
        Check(av_frame_make_writable(frame), "frame");
        const int read = av_audio_fifo_read(m_fifo.get(), reinterpret_cast<void **>(frame->data), frameSize);
        Check(read, "frame");
        if (read < frameSize) {
            // The last frame: an encoder that takes only whole frames gets it filled with silence.
            if (m_codec->codec->capabilities & (AV_CODEC_CAP_SMALL_LAST_FRAME | AV_CODEC_CAP_VARIABLE_FRAME_SIZE))
                frame->nb_samples = read;
            else
                av_samples_set_silence(frame->data, read, frameSize - read, m_session.Channels, AV_SAMPLE_FMT_FLTP);
        }
        frame->pts = m_framesSent;
        m_framesSent += frame->nb_samples;
        SendFrame(frame);
    }
    if (last)
        SendFrame(nullptr);
}

void WmaFileWriter::SendFrame(const AVFrame *frame)
{
    Check(avcodec_send_frame(m_codec.get(), frame), "encoding");
    WritePackets();
}

void WmaFileWriter::WritePackets()
{
    AVPacket *packet = m_packet.get();
    AVStream *stream = m_format->streams[0];
    for (;;) {
        const int received = avcodec_receive_packet(m_codec.get(), packet);
        if (received == AVERROR(EAGAIN) || received == AVERROR_EOF)
            return;
        Check(received, "encoding");
        // The muxer shifts the encoder's delay out of the time line; so does the header.
        const qint64 start =
            av_rescale_q(packet->pts + m_codec->initial_padding, m_codec->time_base, kHundredNanoseconds);
        av_packet_rescale_ts(packet, m_codec->time_base, stream->time_base);
        packet->stream_index = stream->index;
        const int muxed = av_write_frame(m_format.get(), packet);
        av_packet_unref(packet);
        avio_flush(m_io.get());
        if (m_writeError)
            ThrowWriteError();
        Check(muxed, "muxing");
        // A packet fills up only while a frame is written into it, so every frame before this
        // one lies in whole packets on disk once another packet has appeared.
        const qint64 packets = (m_fileEnd - m_liveHeader->DataStart()) / m_liveHeader->PacketSize();
        if (packets > m_packetsOnDisk) {
            m_packetsOnDisk = packets;
            m_durationOnDisk = std::max<qint64>(0, start);
        }
    }
}

void WmaFileWriter::KeepHeaderCurrent()
{
    if (m_packetsOnDisk == m_packetsInHeader)
        return;
    const QByteArray bytes = m_liveHeader->Update(m_packetsOnDisk, m_durationOnDisk);
    if (!WriteAllAt(m_fd, bytes.constData(), bytes.size(), m_liveHeader->Offset())) {
        m_writeError = errno;
        ThrowWriteError();
    }
    m_packetsInHeader = m_packetsOnDisk;
}

void WmaFileWriter::Close()
{
    if (m_fd < 0)
        return;
    std::optional<NumberedError> error;
    try {
        if (!m_writeError) {
            Resample(nullptr, 0);  // what the resampler still holds
            EncodeFrames(true);
        }
    } catch (const NumberedError &e) {
        error = e;
    }
    Finish();
    if (!error && m_writeError)
        error = FileError(m_writeError, m_path, kSource);
    if (error)
        throw *error;
}

void WmaFileWriter::Finish()
{
    if (m_fd < 0)
        return;
    if (m_headerWritten) {
        m_headerWritten = false;
        // Also what frees the muxer's own state, so it runs after a failure too; its writes are
        // refused then, and the header is made to count what did reach the disk.
        av_write_trailer(m_format.get());
        avio_flush(m_io.get());
        if (m_writeError && m_liveHeader) {
            const QByteArray bytes = m_liveHeader->Update(m_packetsOnDisk, m_durationOnDisk);
            WriteAllAt(m_fd, bytes.constData(), bytes.size(), m_liveHeader->Offset());
        }
    }
    m_format.reset();
    m_io.reset();
    ::close(m_fd);
    m_fd = -1;
}

void WmaFileWriter::ThrowWriteError() const { throw FileError(m_writeError, m_path, kSource); }

}  // namespace tolvane
