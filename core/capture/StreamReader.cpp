#include "StreamReader.h"

#include "common/NumberedError.h"

#include <QUrl>

#include <mutex>
#include <new>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/opt.h>
#include <libswresample/swresample.h>
}

namespace tolvane {

namespace {

const QString kSource = QStringLiteral("StreamReader");
// Only the network: an address from a schedule file must not reach local files or programs,
// not even through a playlist that names them.
constexpr char kProtocols[] = "http,https,tls,tcp,crypto,httpproxy";
// A server that sends nothing for this long has dropped the stream (microseconds).
constexpr char kSilentServerUs[] = "5000000";
// Titles are shown and logged; nothing longer is a title.
constexpr qsizetype kLongestTitle = 256;

QString AvText(int error)
{
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(error, text, sizeof text);
    return QString::fromLocal8Bit(text);
}

NumberedError StreamError(const QString &shown, const QString &what, int error)
{
    return NumberedError(ErrNo::InvalidProcedureCall,
                         QStringLiteral("the stream \"%1\" %2: %3").arg(shown, what, AvText(error)), kSource);
}

// Text from the server: UTF-8 where it is that, else Latin-1 (older servers); control
// characters go, so that a title is one clean line.
QString ServerText(const QByteArray &bytes)
{
    QString text = QString::fromUtf8(bytes);
    if (text.contains(QChar::ReplacementCharacter))
        text = QString::fromLatin1(bytes);
    QString clean;
    for (const QChar c : text)
        clean += (c.category() == QChar::Other_Control || c.category() == QChar::Other_Format) ? QLatin1Char(' ') : c;
    return clean.simplified().left(kLongestTitle);
}

}  // namespace

void StreamReader::FreeFormat(AVFormatContext *p) { avformat_close_input(&p); }
void StreamReader::FreeCodec(AVCodecContext *p) { avcodec_free_context(&p); }
void StreamReader::FreePacket(AVPacket *p) { av_packet_free(&p); }
void StreamReader::FreeFrame(AVFrame *p) { av_frame_free(&p); }
void StreamReader::FreeResampler(SwrContext *p) { swr_free(&p); }

int StreamReader::Interrupt(void *self) { return static_cast<StreamReader *>(self)->m_wait() ? 1 : 0; }

QString StreamReader::Shown(const QString &url)
{
    return QUrl(url).toDisplayString(QUrl::RemoveUserInfo);
}

StreamReader::StreamReader(const QString &url, const WaveFormat &format, std::function<bool()> wait)
    : m_wait(std::move(wait)), m_format(format), m_shown(Shown(url))
{
    static std::once_flag network;
    std::call_once(network, [] { avformat_network_init(); });

    AVFormatContext *input = avformat_alloc_context();
    if (!input)
        throw std::bad_alloc();
    input->interrupt_callback = {&StreamReader::Interrupt, this};
    AVDictionary *options = nullptr;
    av_dict_set(&options, "protocol_whitelist", kProtocols, 0);
    av_dict_set(&options, "rw_timeout", kSilentServerUs, 0);
    av_dict_set(&options, "timeout", kSilentServerUs, 0);
    av_dict_set(&options, "icy", "1", 0);
    const QByteArray address = url.toUtf8();
    const int opened = avformat_open_input(&input, address.constData(), nullptr, &options);
    av_dict_free(&options);
    if (opened < 0)
        throw StreamError(m_shown, QStringLiteral("cannot be opened"), opened);  // FFmpeg has freed `input`
    m_input.reset(input);

    if (const int found = avformat_find_stream_info(input, nullptr); found < 0)
        throw StreamError(m_shown, QStringLiteral("cannot be read"), found);
    const AVCodec *codec = nullptr;
    m_stream = av_find_best_stream(input, AVMEDIA_TYPE_AUDIO, -1, -1, &codec, 0);
    if (m_stream < 0 || !codec)
        throw StreamError(m_shown, QStringLiteral("holds no sound that can be decoded"), m_stream < 0 ? m_stream : AVERROR_DECODER_NOT_FOUND);
    for (unsigned i = 0; i < input->nb_streams; ++i)
        if (int(i) != m_stream)
            input->streams[i]->discard = AVDISCARD_ALL;

    m_decoder.reset(avcodec_alloc_context3(codec));
    if (!m_decoder)
        throw std::bad_alloc();
    if (const int set = avcodec_parameters_to_context(m_decoder.get(), input->streams[m_stream]->codecpar); set < 0)
        throw StreamError(m_shown, QStringLiteral("cannot be decoded"), set);
    if (const int ready = avcodec_open2(m_decoder.get(), codec, nullptr); ready < 0)
        throw StreamError(m_shown, QStringLiteral("cannot be decoded"), ready);
    m_packet.reset(av_packet_alloc());
    m_frame.reset(av_frame_alloc());
    if (!m_packet || !m_frame)
        throw std::bad_alloc();
}

StreamReader::~StreamReader() = default;

bool StreamReader::Read(std::vector<char> &out, QString &why)
{
    const size_t before = out.size();
    while (out.size() == before) {
        const int read = av_read_frame(m_input.get(), m_packet.get());
        if (read == AVERROR(EAGAIN))
            continue;
        if (read < 0) {
            why = read == AVERROR_EOF ? QStringLiteral("the server ended the stream") : AvText(read);
            return false;
        }
        const bool ours = m_packet->stream_index == m_stream;
        // A damaged packet costs its own sound only; the stream goes on.
        const int sent = ours ? avcodec_send_packet(m_decoder.get(), m_packet.get()) : -1;
        av_packet_unref(m_packet.get());
        if (sent < 0)
            continue;
        while (avcodec_receive_frame(m_decoder.get(), m_frame.get()) == 0) {
            Convert(out);
            av_frame_unref(m_frame.get());
        }
    }
    return true;
}

void StreamReader::Convert(std::vector<char> &out)
{
    const AVFrame &frame = *m_frame;
    const std::array<int, 3> input{frame.sample_rate, frame.format, frame.ch_layout.nb_channels};
    if (!m_resampler || input != m_resamplerInput) {
        // Set up anew whenever the stream changes its format (a new track of an HLS stream).
        AVChannelLayout in{};
        if (frame.ch_layout.order == AV_CHANNEL_ORDER_UNSPEC || av_channel_layout_check(&frame.ch_layout) == 0)
            av_channel_layout_default(&in, frame.ch_layout.nb_channels);
        else
            av_channel_layout_copy(&in, &frame.ch_layout);
        AVChannelLayout layout{};
        av_channel_layout_default(&layout, m_format.Channels);
        SwrContext *resampler = nullptr;
        const int made = swr_alloc_set_opts2(&resampler, &layout,
                                             m_format.BitsPerSample == 16 ? AV_SAMPLE_FMT_S16 : AV_SAMPLE_FMT_U8,
                                             int(m_format.SamplesPerSec), &in, AVSampleFormat(frame.format),
                                             frame.sample_rate, 0, nullptr);
        av_channel_layout_uninit(&in);
        av_channel_layout_uninit(&layout);
        m_resampler.reset(resampler);
        if (made < 0 || swr_init(resampler) < 0) {
            m_resampler.reset();
            return;  // sound in a form that cannot be converted is skipped
        }
        m_resamplerInput = input;
    }
    const int room = swr_get_out_samples(m_resampler.get(), frame.nb_samples);
    if (room <= 0)
        return;
    m_converted.resize(size_t(room) * m_format.BlockAlign);
    auto *to = reinterpret_cast<uint8_t *>(m_converted.data());
    const int frames = swr_convert(m_resampler.get(), &to, room, const_cast<const uint8_t **>(frame.extended_data),
                                   frame.nb_samples);
    if (frames > 0)
        out.insert(out.end(), m_converted.begin(), m_converted.begin() + qsizetype(frames) * m_format.BlockAlign);
}

QString StreamReader::Title() const
{
    uint8_t *block = nullptr;
    if (!m_input || !m_input->pb
        || av_opt_get(m_input->pb, "icy_metadata_packet", AV_OPT_SEARCH_CHILDREN, &block) < 0 || !block)
        return {};
    const QByteArray bytes(reinterpret_cast<const char *>(block));
    av_free(block);
    return IcyStreamTitle(bytes).value_or(QString());
}

std::optional<QString> StreamReader::IcyStreamTitle(const QByteArray &block)
{
    // The title runs to the "';" that ends it: titles hold apostrophes ("Don't Stop").
    static const QByteArray kStart = "StreamTitle='";
    const qsizetype start = block.indexOf(kStart);
    if (start < 0)
        return std::nullopt;
    const qsizetype from = start + kStart.size();
    qsizetype end = block.indexOf("';", from);
    if (end < 0) {
        end = block.lastIndexOf('\'');
        if (end < from)
            return std::nullopt;
    }
    return ServerText(block.mid(from, end - from));
}

}  // namespace tolvane
