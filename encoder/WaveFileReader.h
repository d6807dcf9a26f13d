#pragma once
// Reads the PCM samples of a WAVE file (8 or 16 bits, one or two channels) as signed 16-bit
// values, for the file encode.

#include <QFile>
#include <QString>

#include <vector>

namespace tolvane {

class WaveFileReader {
public:
    // Opens the file and checks its header; throws NumberedError. A data chunk whose size says
    // more than the file holds, or 0 (a recording cut off before its header was completed), is
    // read to the end of the file.
    explicit WaveFileReader(const QString &path);

    qint32 SampleRate() const { return m_sampleRate; }
    qint32 Channels() const { return m_channels; }
    qint32 BitsPerSample() const { return m_bits; }
    qint64 FrameCount() const { return m_frameCount; }

    // Replaces out with up to maxFrames sample frames, channels interleaved; empty at the end.
    // Throws NumberedError when the file cannot be read.
    void Read(std::vector<qint16> &out, qint64 maxFrames);

    // Fraction of the frames read so far, 0 to 1.
    double Progress() const;

private:
    QString m_path;
    QFile m_file;
    qint32 m_sampleRate = 0;
    qint32 m_channels = 0;
    qint32 m_bits = 0;
    qint64 m_frameCount = 0;
    qint64 m_framesRead = 0;
    QByteArray m_raw;
};

}  // namespace tolvane
