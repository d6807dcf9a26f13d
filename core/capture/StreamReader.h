#pragma once
// One connection to an internet radio stream through FFmpeg: it opens the address (http or
// https only, Icecast/Shoutcast or HLS as FFmpeg reads them), decodes the stream's audio and
// converts it to the capture's format, and keeps the title the server announces (ICY
// StreamTitle). Every wait inside FFmpeg asks `wait` whether to give up, and lets its caller
// use the time.

#include "core/capture/WaveFormat.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

struct AVFormatContext;
struct AVCodecContext;
struct AVPacket;
struct AVFrame;
struct SwrContext;

namespace tolvane {

class StreamReader {
public:
    // Connects, reads the stream's header and prepares decoding into `format`; blocks until
    // then, or until `wait` returns true (give up). Throws NumberedError saying why the stream
    // cannot be recorded.
    StreamReader(const QString &url, const WaveFormat &format, std::function<bool()> wait);
    ~StreamReader();
    StreamReader(const StreamReader &) = delete;
    StreamReader &operator=(const StreamReader &) = delete;

    // Reads on until some sound comes, and appends its frames to `out`. False when the
    // connection is over (the server closed it or went silent, an error, or `wait` gave up);
    // `why` then says what happened.
    bool Read(std::vector<char> &out, QString &why);
    // The title the server announced last; empty when none.
    QString Title() const;

    // The title in an ICY metadata block ("StreamTitle='...';..."), when it holds one.
    static std::optional<QString> IcyStreamTitle(const QByteArray &block);
    // The address as it may be shown and logged: without a user name or password.
    static QString Shown(const QString &url);

private:
    static void FreeFormat(AVFormatContext *p);
    static void FreeCodec(AVCodecContext *p);
    static void FreePacket(AVPacket *p);
    static void FreeFrame(AVFrame *p);
    static void FreeResampler(SwrContext *p);
    static int Interrupt(void *self);
    // Turns a decoded frame into frames of the capture's format.
    void Convert(std::vector<char> &out);

    std::function<bool()> m_wait;
    WaveFormat m_format;
    QString m_shown;
    std::unique_ptr<AVFormatContext, void (*)(AVFormatContext *)> m_input{nullptr, FreeFormat};
    std::unique_ptr<AVCodecContext, void (*)(AVCodecContext *)> m_decoder{nullptr, FreeCodec};
    std::unique_ptr<AVPacket, void (*)(AVPacket *)> m_packet{nullptr, FreePacket};
    std::unique_ptr<AVFrame, void (*)(AVFrame *)> m_frame{nullptr, FreeFrame};
    std::unique_ptr<SwrContext, void (*)(SwrContext *)> m_resampler{nullptr, FreeResampler};
    // What the resampler was set up for: rate, sample format and channel count of its input.
    std::array<int, 3> m_resamplerInput{};
    int m_stream = -1;
    std::vector<char> m_converted;
};

}  // namespace tolvane
