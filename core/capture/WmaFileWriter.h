#pragma once
// Encodes 16-bit PCM to Windows Media Audio in an ASF file with FFmpeg (libavcodec, libavformat,
// libswresample). The header's sizes and durations follow the data packets as they reach the
// file, so the file is a playable ASF file at every moment, even when the recorder is killed.

#include "core/capture/AsfLiveHeader.h"
#include "core/capture/WmeSession.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

struct AVAudioFifo;
struct AVCodecContext;
struct AVFormatContext;
struct AVFrame;
struct AVIOContext;
struct AVPacket;
struct SwrContext;

namespace tolvane {

class WmaFileWriter {
public:
    // Whether FFmpeg offers the WMA 2 encoder and the ASF muxer.
    static bool Available();
    // The licence of the FFmpeg libraries linked in ("GPL version 2 or later" in Debian's build).
    static QString Licence();

    // Opens the session's encoder for interleaved PCM at inputRate with the session's channel
    // count. Throws NumberedError 429 when FFmpeg lacks the codec or the muxer, 5 when the
    // encoder refuses the session's settings.
    WmaFileWriter(const WmeSession &session, qint32 inputRate);
    // Closes the file as far as it was written, if Close was not called.
    ~WmaFileWriter();
    WmaFileWriter(const WmaFileWriter &) = delete;
    WmaFileWriter &operator=(const WmaFileWriter &) = delete;

    // Creates the file, never over an existing one, and writes its header. Throws the file's
    // NumberedError (58 when it exists).
    void Create(const QString &path);
    // Encodes `count` interleaved samples. Throws the file's NumberedError when a write fails;
    // the file then keeps what reached it before, and takes nothing more.
    void Write(const qint16 *samples, qint64 count);
    // Encodes what the encoder still holds, writes the final header and closes the file.
    // Throws on a failed write; the file is closed either way.
    void Close();

private:
    template <typename T, auto Free>
    struct Freer {
        void operator()(T *p) const { Free(p); }
    };
    template <typename T, auto Free>
    using Owned = std::unique_ptr<T, Freer<T, Free>>;
    static void FreeCodec(AVCodecContext *p);
    static void FreeResampler(SwrContext *p);
    static void FreeFifo(AVAudioFifo *p);
    static void FreeFrame(AVFrame *p);
    static void FreePacket(AVPacket *p);
    static void FreeFormat(AVFormatContext *p);
    static void FreeIo(AVIOContext *p);

    static int WriteCallback(void *opaque, std::uint8_t *bytes, int size);
    static std::int64_t SeekCallback(void *opaque, std::int64_t offset, int whence);

    // Resamples into the frame queue; no input (null) drains the resampler.
    void Resample(const quint8 **in, int frames);
    void EncodeFrames(bool last);
    void SendFrame(const AVFrame *frame);
    void WritePackets();
    void KeepHeaderCurrent();
    void Finish();
    [[noreturn]] void ThrowWriteError() const;

    WmeSession m_session;
    Owned<AVCodecContext, FreeCodec> m_codec;
    Owned<SwrContext, FreeResampler> m_resampler;
    Owned<AVAudioFifo, FreeFifo> m_fifo;
    Owned<AVFrame, FreeFrame> m_frame;
    Owned<AVPacket, FreePacket> m_packet;
    Owned<AVIOContext, FreeIo> m_io;
    Owned<AVFormatContext, FreeFormat> m_format;
    std::vector<std::vector<float>> m_planes;  // resampled sound before it fills a frame

    QString m_path;
    int m_fd = -1;
    bool m_headerWritten = false;
    qint64 m_position = 0;  // where the muxer writes next
    qint64 m_fileEnd = 0;   // the bytes written so far
    int m_writeError = 0;   // errno of the first failed write; nothing is written after it
    qint64 m_framesSent = 0;
    std::optional<AsfLiveHeader> m_liveHeader;
    qint64 m_packetsOnDisk = 0;
    qint64 m_durationOnDisk = 0;  // 100 ns units of sound in those packets
    qint64 m_packetsInHeader = 0;
};

}  // namespace tolvane
