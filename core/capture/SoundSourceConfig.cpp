#include "SoundSourceConfig.h"

#include "common/NumberedError.h"
#include "core/capture/AlsaSoundSource.h"
#include "core/capture/StreamSoundSource.h"

namespace tolvane {

namespace {

using Segment = GeneratedSoundSource::Segment;

[[noreturn]] void Unreadable(const QString &text, const QString &why)
{
    throw NumberedError(ErrNo::InvalidProcedureCall,
                        QStringLiteral("capture source \"%1\": %2").arg(text, why), QStringLiteral("SoundSourceConfig"));
}

double Number(const QString &text, const QString &whole)
{
    bool ok = false;
    const double v = text.toDouble(&ok);
    if (!ok)
        Unreadable(whole, QStringLiteral("\"%1\" is not a number").arg(text));
    return v;
}

Segment ReadSegment(QString text, const QString &whole)
{
    // A length follows the last "*" when that reads as a number; a file name may hold a "*".
    double seconds = -1;
    const qsizetype star = text.lastIndexOf(QLatin1Char('*'));
    bool isLength = false;
    const double length = star >= 0 ? text.mid(star + 1).toDouble(&isLength) : 0;
    if (isLength) {
        if (length < 0)
            Unreadable(whole, QStringLiteral("a negative length"));
        seconds = length;
        text.truncate(star);
    }
    if (text == QLatin1String("silence"))
        return Segment::Silence(seconds);
    if (text.startsWith(QLatin1String("file=")))
        return Segment::File(text.mid(5), seconds);
    if (text.startsWith(QLatin1String("tone="))) {
        const QStringList parts = text.mid(5).split(QLatin1Char('@'));
        bool ok = false;
        const qint32 hertz = parts.front().toInt(&ok);
        if (!ok || hertz <= 0 || parts.size() != 2)
            Unreadable(whole, QStringLiteral("a tone is tone=HERTZ@DECIBELS with whole hertz"));
        return Segment::Tone(hertz, Number(parts.back(), whole), seconds);
    }
    Unreadable(whole, QStringLiteral("unknown segment \"%1\"").arg(text));
}

}  // namespace

SoundSourceConfig SoundSourceConfig::Parse(const QString &text)
{
    SoundSourceConfig config;
    if (text.isEmpty() || text == QLatin1String("alsa"))
        return config;
    if (!text.startsWith(QLatin1String("generated:")))
        Unreadable(text, QStringLiteral("neither alsa nor generated:..."));

    config.kind = Kind::Generated;
    QString body = text.mid(10);
    const qsizetype semicolon = body.indexOf(QLatin1Char(';'));
    if (semicolon >= 0) {
        const QString option = body.mid(semicolon + 1);
        if (option == QLatin1String("pace=fast"))
            config.pace = GeneratedSoundSource::Pace::Fast;
        else if (option != QLatin1String("pace=realtime"))
            Unreadable(text, QStringLiteral("unknown option \"%1\"").arg(option));
        body.truncate(semicolon);
    }
    for (const QString &segment : body.split(QLatin1Char(','), Qt::SkipEmptyParts))
        config.script.push_back(ReadSegment(segment, text));
    return config;
}

SoundSourceConfig SoundSourceConfig::FromEnvironment()
{
    return Parse(qEnvironmentVariable("TOLVANE_CAPTURE_SOURCE"));
}

std::unique_ptr<SoundSource> SoundSourceConfig::MakeSource(std::shared_ptr<IUserNotifier> notifier,
                                                           const SourceChoice &choice) const
{
    if (kind == Kind::Generated)
        return std::make_unique<GeneratedSoundSource>(script, pace, std::move(notifier));
    if (choice.IsStream())
        return std::make_unique<StreamSoundSource>(std::move(notifier));
    return std::make_unique<AlsaSoundSource>(std::move(notifier));
}

}  // namespace tolvane
