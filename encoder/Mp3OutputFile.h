#pragma once
// The MP3 file an encode writes: the bare stream between its ID3 version 2 and version 1 tags,
// or the stream inside a RIFF WAVE file (format tag 0x55) or a RIFF RMP3 file. The RIFF sizes are rewritten
// after every write, so the file is complete up to its last write at every moment.

#include <QByteArray>
#include <QFile>
#include <QString>

namespace tolvane {

class Mp3OutputFile {
public:
    enum Format : qint32 { Mp3 = 0, RiffWave = 1, RiffRmp = 2 };

    struct Stream {
        qint32 sampleRate = 0;
        qint32 channels = 0;
        qint32 cbrKbps = 0;  // 0 for a variable bit rate
        qint32 samplesPerFrame = 1152;
        qint32 encoderDelay = 0;
    };

    // The extension a file encode gives its output, without the leading dot: "mp3", "rmp", or
    // "mp3.wav" for a RIFF WAVE file, which keeps the recording's WAVE file apart from it.
    static QString Extension(qint32 format);

    // Creates path, which must not exist yet (nothing is ever overwritten); throws NumberedError.
    // A format other than 1 and 2 writes the bare stream, after `id3v2Tag` when one is given.
    Mp3OutputFile(const QString &path, qint32 format, const Stream &stream, const QByteArray &id3v2Tag = {});

    const QString &Path() const { return m_path; }

    // Appends encoded bytes; frames is the number of frames the encoder has made so far.
    // Throws NumberedError.
    void Append(const unsigned char *data, qsizetype size, qint64 frames);

    // Writes the encoder's tag frame over the stream's first frame, the ID3 tag when given,
    // and the final sizes, then closes the file. Throws NumberedError.
    void Finish(const QByteArray &firstFrame, const QByteArray &id3Tag, qint64 frames);

    // Closes the file as it stands (an encode that failed half-way in a recording).
    void Close();

    // Closes and deletes the file (an encode whose input is kept instead).
    void Discard();

private:
    QByteArray RiffHeader(qint64 frames) const;
    void WriteAt(qint64 position, const QByteArray &bytes);
    void Write(const char *data, qsizetype size);
    void Flush();

    QString m_path;
    QFile m_file;
    qint32 m_format;
    Stream m_stream;
    qint64 m_streamStart = 0;  // the bytes before the stream: the RIFF header or the ID3v2 tag
    qint64 m_streamBytes = 0;
    qint64 m_trailerBytes = 0;  // the pad byte and the "id3 " chunk after the data chunk
};

}  // namespace tolvane
