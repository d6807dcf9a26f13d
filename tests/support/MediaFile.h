#pragma once
// Reads a recorded media file back for tests through the ffprobe and ffmpeg programs: what its
// container and stream say, and its sound decoded.

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <vector>

namespace tolvane::test {

struct MediaFile {
    bool probed = false;
    QString errors;  // what ffprobe or ffmpeg complained of
    QString formatName;
    QString codecName;
    qint32 sampleRate = 0;
    qint32 channels = 0;
    qint64 bitRate = 0;
    double duration = -1;
    std::vector<qint16> firstChannel;  // decoded, 16-bit, at sampleRate

    // The pitch of the tone in the decode, from the periods between rising edges. Edges are
    // counted with hysteresis, so that silence and noise around zero count nothing, and periods
    // far from the typical one (a silence, the ringing of a codec's last frame) are left out.
    double ToneFrequency() const
    {
        constexpr qint16 kThreshold = 1000;
        std::vector<qint64> periods;
        qint64 last = -1;
        bool armed = false;
        for (size_t i = 0; i < firstChannel.size(); ++i) {
            if (firstChannel[i] < -kThreshold) {
                armed = true;
            } else if (armed && firstChannel[i] > kThreshold) {
                armed = false;
                if (last >= 0)
                    periods.push_back(qint64(i) - last);
                last = qint64(i);
            }
        }
        if (periods.empty() || sampleRate <= 0)
            return 0;
        std::vector<qint64> sorted = periods;
        std::nth_element(sorted.begin(), sorted.begin() + qsizetype(sorted.size() / 2), sorted.end());
        const double typical = double(sorted[sorted.size() / 2]);
        double sum = 0;
        qint64 count = 0;
        for (qint64 p : periods) {
            if (std::abs(double(p) - typical) <= typical / 10) {
                sum += double(p);
                ++count;
            }
        }
        return double(count) * sampleRate / sum;
    }

    // Probes the file and decodes its first channel.
    static MediaFile Read(const QString &path)
    {
        MediaFile m;
        QProcess probe;
        probe.start(QStringLiteral("ffprobe"),
                    {"-v", "error", "-show_entries",
                     "format=format_name,duration:stream=codec_name,sample_rate,channels,bit_rate", "-of",
                     "default=noprint_wrappers=1", path});
        if (!probe.waitForFinished(30000) || probe.exitCode() != 0) {
            m.errors = QString::fromUtf8(probe.readAllStandardError());
            return m;
        }
        m.probed = true;
        m.errors = QString::fromUtf8(probe.readAllStandardError());
        for (const QString &line : QString::fromUtf8(probe.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts)) {
            const QString key = line.section('=', 0, 0), value = line.section('=', 1);
            if (key == "format_name")
                m.formatName = value;
            else if (key == "codec_name")
                m.codecName = value;
            else if (key == "sample_rate")
                m.sampleRate = value.toInt();
            else if (key == "channels")
                m.channels = value.toInt();
            else if (key == "bit_rate")
                m.bitRate = value.toLongLong();
            else if (key == "duration" && value != "N/A")
                m.duration = value.toDouble();
        }

        QProcess decode;
        decode.start(QStringLiteral("ffmpeg"), {"-v", "error", "-i", path, "-af", "pan=mono|c0=c0", "-f", "s16le", "-"});
        decode.waitForFinished(60000);
        m.errors += QString::fromUtf8(decode.readAllStandardError());
        const QByteArray pcm = decode.readAllStandardOutput();
        m.firstChannel.resize(size_t(pcm.size() / 2));
        if (!m.firstChannel.empty())
            qFromLittleEndian<qint16>(pcm.constData(), qsizetype(m.firstChannel.size()), m.firstChannel.data());
        return m;
    }

    double DecodedSeconds() const { return sampleRate > 0 ? double(firstChannel.size()) / sampleRate : 0; }
};

}  // namespace tolvane::test
