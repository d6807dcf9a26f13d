#pragma once
// The Windows Media session file: a small XML file of our own that says how a windowsmedia
// schedule is encoded (codec, bit rate, sample rate, channels) and the output file name whose
// last four characters give the extension.
//
//   <TolvaneWMESession version="1">
//     <OutputFile>default.wma</OutputFile><Codec>wmav2</Codec><BitRate>128000</BitRate>
//     <SampleRate>44100</SampleRate><Channels>2</Channels>
//   </TolvaneWMESession>

#include <QString>
#include <QtGlobal>

namespace tolvane {

struct WmeSession {
    QString OutputFile = QStringLiteral("default.wma");
    QString Codec = QStringLiteral("wmav2");  // "wmav2" or "wmav1"
    qint32 BitRate = 128000;                  // bits per second
    qint32 SampleRate = 44100;
    qint32 Channels = 2;

    // The extension the recordings get: the last four characters of OutputFile (".wma").
    QString Extension() const { return OutputFile.right(4); }

    // Reads and checks a session file; throws NumberedError (53 missing, 13 for a value that
    // is not allowed, 91 for a file that is not a session) with the file and field named.
    static WmeSession Load(const QString &path);
    // Writes the file whole (temporary file and rename), creating its folder; throws on failure.
    void Save(const QString &path) const;
    // Loads the file, or, when it is the application's default session and missing, creates it
    // with the defaults first.
    static WmeSession LoadOrCreateDefault(const QString &path, const QString &appFolder);
    // The default session's path in an application folder ("wme/default.wme").
    static QString DefaultPath(const QString &appFolder);

    // Throws NumberedError 13 naming `where` and the first value that is not allowed.
    void Validate(const QString &where = QStringLiteral("session")) const;

    friend bool operator==(const WmeSession &, const WmeSession &) = default;
};

}  // namespace tolvane
