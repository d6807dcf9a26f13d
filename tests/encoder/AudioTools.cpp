#include "AudioTools.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>

namespace tolvane::test {

ProgramResult RunProgram(const QString &program, const QStringList &args)
{
    QProcess process;
    process.start(program, args);
    ProgramResult result;
    if (!process.waitForStarted(10000) || !process.waitForFinished(300000))
        return result;
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    return result;
}

bool MakeWave(const QString &path, int rate, int channels, int bits, double seconds, const QStringList &synth)
{
    QStringList args{QStringLiteral("-n"), QStringLiteral("-r"), QString::number(rate), QStringLiteral("-c"),
                     QString::number(channels), QStringLiteral("-b"), QString::number(bits)};
    if (bits == 8)
        args << QStringLiteral("-e") << QStringLiteral("unsigned-integer");
    args << path << QStringLiteral("synth") << QString::number(seconds) << synth << QStringLiteral("vol")
         << QStringLiteral("0.5");
    return RunProgram(QStringLiteral("sox"), args).exitCode == 0;
}

std::optional<Mp3Stream> Probe(const QString &path)
{
    const ProgramResult r = RunProgram(QStringLiteral("ffprobe"),
                                       {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-show_streams"),
                                        QStringLiteral("-show_format"), QStringLiteral("-of"), QStringLiteral("json"),
                                        path});
    if (r.exitCode != 0)
        return std::nullopt;
    const QJsonObject root = QJsonDocument::fromJson(r.out).object();
    const QJsonArray streams = root.value(QStringLiteral("streams")).toArray();
    if (streams.size() != 1)
        return std::nullopt;
    const QJsonObject s = streams.first().toObject();
    Mp3Stream stream;
    const QJsonObject format = root.value(QStringLiteral("format")).toObject();
    stream.formatName = format.value(QStringLiteral("format_name")).toString();
    const QJsonObject tags = format.value(QStringLiteral("tags")).toObject();
    for (auto t = tags.begin(); t != tags.end(); ++t)
        stream.tags.insert(t.key(), t.value().toString());
    stream.codec = s.value(QStringLiteral("codec_name")).toString();
    stream.sampleRate = s.value(QStringLiteral("sample_rate")).toString().toInt();
    stream.channels = s.value(QStringLiteral("channels")).toInt();
    stream.bitRate = s.value(QStringLiteral("bit_rate")).toString().toLongLong();
    return stream;
}

qint64 DecodedFrames(const QString &path, int channels)
{
    const ProgramResult r = RunProgram(QStringLiteral("mpg123"), {QStringLiteral("-q"), QStringLiteral("-s"), path});
    if (r.exitCode != 0 || channels <= 0)
        return -1;
    return r.out.size() / (2 * channels);
}

QString Mpg123Mode(const QString &path)
{
    const ProgramResult r = RunProgram(QStringLiteral("mpg123"), {QStringLiteral("-t"), QStringLiteral("-v"), path});
    if (r.exitCode != 0)
        return {};
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("^MPEG \\S+ L III \\S+ \\d+ (\\S+)"), QRegularExpression::MultilineOption)
            .match(QString::fromLocal8Bit(r.err));
    return m.hasMatch() ? m.captured(1) : QString();
}

std::optional<double> LevelAboveDb(const QString &mp3Path, int hz)
{
    QTemporaryDir dir;
    const QString wav = dir.filePath(QStringLiteral("decoded.wav"));
    if (RunProgram(QStringLiteral("mpg123"), {QStringLiteral("-q"), QStringLiteral("-w"), wav, mp3Path}).exitCode != 0)
        return std::nullopt;
    const ProgramResult r = RunProgram(QStringLiteral("sox"), {wav, QStringLiteral("-n"), QStringLiteral("sinc"),
                                                               QString::number(hz), QStringLiteral("stats")});
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("RMS lev dB\\s+(\\S+)")).match(QString::fromLocal8Bit(r.err));
    if (r.exitCode != 0 || !m.hasMatch())
        return std::nullopt;
    return m.captured(1) == QStringLiteral("-inf") ? -1000.0 : m.captured(1).toDouble();
}

QByteArray ReadAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool WriteAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

bool WaitUntil(const std::function<bool()> &done, int timeoutMs)
{
    if (done())
        return true;
    const QDeadlineTimer deadline(timeoutMs);
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done() || deadline.hasExpired())
            loop.quit();
    });
    poll.start(20);
    loop.exec();
    return done();
}

}  // namespace tolvane::test
