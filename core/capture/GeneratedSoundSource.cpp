#include "GeneratedSoundSource.h"

#include <QFile>
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

namespace tolvane {

namespace {

const QString kSource = QStringLiteral("GeneratedSoundSource");

NumberedError FileProblem(const QString &path, const QString &what)
{
    return NumberedError(ErrNo::PathFileAccess, QStringLiteral("%1: %2").arg(path, what), kSource);
}

// The sample bytes of a PCM WAVE file, which must be in the capture's format.
std::vector<char> ReadWavePcm(const QString &path, const WaveFormat &format)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw FileProblem(path, file.errorString());
    const QByteArray all = file.readAll();
    if (all.size() < 12 || !all.startsWith("RIFF") || all.mid(8, 4) != "WAVE")
        throw FileProblem(path, QStringLiteral("not a WAVE file"));

    bool formatSeen = false;
    for (qsizetype at = 12; at + 8 <= all.size();) {
        const QByteArray id = all.mid(at, 4);
        const qint64 size = qFromLittleEndian<quint32>(all.constData() + at + 4);
        const qsizetype body = at + 8;
        const qsizetype present = qsizetype(std::min<qint64>(size, all.size() - body));
        if (id == "fmt " && present >= 16) {
            const char *f = all.constData() + body;
            formatSeen = qFromLittleEndian<quint16>(f) == 1 && qFromLittleEndian<quint16>(f + 2) == format.Channels
                         && qFromLittleEndian<quint32>(f + 4) == format.SamplesPerSec
                         && qFromLittleEndian<quint16>(f + 14) == format.BitsPerSample;
            if (!formatSeen)
                throw FileProblem(path, QStringLiteral("not PCM of %1 Hz, %2 channel(s), %3 bits")
                                            .arg(format.SamplesPerSec)
                                            .arg(format.Channels)
                                            .arg(format.BitsPerSample));
        } else if (id == "data") {
            if (!formatSeen)
                throw FileProblem(path, QStringLiteral("no format chunk before the data"));
            const qsizetype whole = present - present % format.BlockAlign;
            return std::vector<char>(all.constData() + body, all.constData() + body + whole);
        }
        at = body + qsizetype(size) + qsizetype(size % 2);
    }
    throw FileProblem(path, QStringLiteral("no data chunk"));
}

}  // namespace

GeneratedSoundSource::Segment GeneratedSoundSource::Segment::Tone(qint32 hertz, double decibels, double seconds)
{
    Segment s;
    s.kind = Kind::Tone;
    s.frequency = hertz;
    s.decibels = decibels;
    s.seconds = seconds;
    return s;
}

GeneratedSoundSource::Segment GeneratedSoundSource::Segment::Silence(double seconds)
{
    Segment s;
    s.seconds = seconds;
    return s;
}

GeneratedSoundSource::Segment GeneratedSoundSource::Segment::File(const QString &path, double seconds)
{
    Segment s;
    s.kind = Kind::File;
    s.path = path;
    s.seconds = seconds;
    return s;
}

GeneratedSoundSource::GeneratedSoundSource(std::vector<Segment> script, Pace pace,
                                           std::shared_ptr<IUserNotifier> notifier, QObject *parent)
    : SoundSource(std::move(notifier), parent), m_script(std::move(script)), m_pace(pace)
{
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &GeneratedSoundSource::OnTimer);
}

GeneratedSoundSource::~GeneratedSoundSource() = default;

GeneratedSoundSource::Prepared GeneratedSoundSource::Prepare(const Segment &segment)
{
    const WaveFormat &f = Description().Format;
    const qint64 rate = f.SamplesPerSec;
    const qint64 frames = segment.seconds < 0 ? -1 : qint64(std::llround(segment.seconds * double(rate)));

    if (segment.kind == Segment::Kind::File) {
        auto pcm = std::make_shared<const std::vector<char>>(ReadWavePcm(segment.path, f));
        const qint64 length = qint64(pcm->size()) / f.BlockAlign;
        return Prepared{std::move(pcm), length, frames < 0 ? length : std::min(frames, length)};
    }
    // Patterns are a second long, so that a block is rendered in a copy or two. One second also
    // holds a whole number of periods of a tone in whole hertz, so it repeats seamlessly.
    const bool tone = segment.kind == Segment::Kind::Tone && segment.frequency > 0;
    return Prepared{Second(tone ? segment.frequency : 0, tone ? segment.decibels : 0), rate, frames};
}

std::shared_ptr<const std::vector<char>> GeneratedSoundSource::Second(qint32 hertz, double decibels)
{
    auto &second = m_seconds[{hertz, decibels}];
    if (second)
        return second;
    const WaveFormat &f = Description().Format;
    const qint64 rate = f.SamplesPerSec;
    const bool sixteen = f.BitsPerSample == 16;
    const double amplitude = hertz == 0 ? 0 : (sixteen ? 32768.0 : 128.0) * std::pow(10.0, decibels / 20.0);
    std::vector<char> samples(size_t(rate) * f.BlockAlign);
    char *out = samples.data();
    for (qint64 i = 0; i < rate; ++i) {
        const double v = amplitude * std::sin(2 * std::numbers::pi * double(hertz) * double(i) / double(rate));
        for (int c = 0; c < f.Channels; ++c) {
            if (sixteen) {
                qToLittleEndian<qint16>(qint16(std::clamp(std::lround(v), -32768L, 32767L)), out);
                out += 2;
            } else {
                *out++ = char(std::clamp(128 + std::lround(v), 0L, 255L));
            }
        }
    }
    second = std::make_shared<const std::vector<char>>(std::move(samples));
    return second;
}

void GeneratedSoundSource::OpenDevice(const CaptureBufferDesc &, const SourceChoice &)
{
    m_prepared.clear();
    m_seconds.clear();
    for (const Segment &segment : m_script)
        m_prepared.push_back(Prepare(segment));
    m_prepared.push_back(Prepare(Segment::Silence()));
    m_segment = 0;
    m_position = 0;
    m_captured = 0;
    m_halfSeconds = 0;
    m_pending.clear();
}

void GeneratedSoundSource::Render(qint64 frames)
{
    const qint64 align = Description().Format.BlockAlign;
    while (frames > 0) {
        const Prepared &p = m_prepared[m_segment];
        if (p.frames >= 0 && m_position >= p.frames) {
            ++m_segment;  // the last, endless silence is never left
            m_position = 0;
            continue;
        }
        const qint64 inPattern = m_position % p.patternFrames;
        qint64 take = std::min(frames, p.patternFrames - inPattern);
        if (p.frames >= 0)
            take = std::min(take, p.frames - m_position);
        const char *from = p.pattern->data() + inPattern * align;
        m_pending.insert(m_pending.end(), from, from + take * align);
        m_position += take;
        m_captured += take;
        frames -= take;
    }
}

void GeneratedSoundSource::Advance(qint64 frames)
{
    if (Capturing())
        Render(frames);
}

qint64 GeneratedSoundSource::NextHalfSecond()
{
    const qint64 rate = Description().Format.SamplesPerSec;
    const qint64 frames = (m_halfSeconds + 1) * rate / 2 - m_halfSeconds * rate / 2;
    ++m_halfSeconds;
    return frames;
}

void GeneratedSoundSource::Pump()
{
    if (!Capturing())
        return;
    Render(NextHalfSecond());
    WakeUp(false);
}

void GeneratedSoundSource::OnTimer()
{
    if (m_pace == Pace::RealTime) {
        const qint64 due = m_elapsed.elapsed() * qint64(Description().Format.SamplesPerSec) / 1000;
        Render(due - m_captured);
        WakeUp(false);
    } else {
        Pump();
    }
}

// Generated sound begins when the capture starts, whatever moment is asked for.
void GeneratedSoundSource::StartDevice(std::chrono::steady_clock::time_point)
{
    m_elapsed.start();
    if (m_pace == Pace::RealTime)
        m_timer.start(500);
    else if (m_pace == Pace::Fast)
        m_timer.start(0);
}

void GeneratedSoundSource::StopDevice()
{
    m_timer.stop();
    if (m_pace == Pace::RealTime)
        Render(m_elapsed.elapsed() * qint64(Description().Format.SamplesPerSec) / 1000 - m_captured);
}

void GeneratedSoundSource::TakeCaptured(std::vector<char> &bytes)
{
    bytes.swap(m_pending);
    m_pending.clear();
}

void GeneratedSoundSource::ReleaseDevice()
{
    m_timer.stop();
    m_pending.clear();
}

}  // namespace tolvane
