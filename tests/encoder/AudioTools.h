#pragma once
// Test helpers around the outside audio tools: sox makes WAVE files, ffprobe and mpg123 read
// the MP3 files the encoder writes.

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace tolvane::test {

struct ProgramResult {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};
ProgramResult RunProgram(const QString &program, const QStringList &args);

// A WAVE file of `seconds` made by sox from the synth arguments (one set per channel).
bool MakeWave(const QString &path, int rate, int channels, int bits, double seconds,
              const QStringList &synth = {QStringLiteral("sine"), QStringLiteral("440"), QStringLiteral("sine"),
                                          QStringLiteral("660")});

struct Mp3Stream {
    QString formatName;
    QString codec;
    int sampleRate = 0;
    int channels = 0;
    qint64 bitRate = 0;
    QMap<QString, QString> tags;  // the container's tags as ffprobe reads them ("title", "artist", ...)
};
// What ffprobe reads from a file; nothing when it cannot read it.
std::optional<Mp3Stream> Probe(const QString &path);

// Sample frames mpg123 decodes (gapless, so the encoder's delay and padding are not counted);
// -1 when mpg123 fails.
qint64 DecodedFrames(const QString &path, int channels);

// mpg123's name for the stream's channel mode ("stereo", "j-s", "dual", "mono"); its test
// decode of the whole file must succeed, otherwise the result is empty.
QString Mpg123Mode(const QString &path);

// RMS level in dB of the decoded file above `hz` (a sox high-pass), to see a low-pass at work.
std::optional<double> LevelAboveDb(const QString &mp3Path, int hz);

QByteArray ReadAll(const QString &path);
bool WriteAll(const QString &path, const QByteArray &bytes);

// Runs the event loop until done() is true or the time is up; returns done().
bool WaitUntil(const std::function<bool()> &done, int timeoutMs = 60000);

}  // namespace tolvane::test
