#pragma once
// The rules every recorded file name follows: an expanded template is one path component, and
// a name already taken in the folder gets "_1", "_2", ... so that no recording is overwritten.

#include <QDateTime>
#include <QSet>
#include <QString>
#include <QStringList>

namespace tolvane::PartFileName {

// The name made safe for one path component: "/" and control characters become "_", so an
// expanded template can never leave the save folder.
QString Safe(const QString &name);

// The base of a recording's file name: the expanded template made safe, or the local time as
// "yyyyMMddhhmmss" when the template expands to nothing.
QString Base(const QString &expanded, const QDateTime &now);

struct Numbered {
    QString name;    // base, or base + "_" + number
    qint32 number;   // 0 for the base itself
};

// The extensions a WAVE or MP3 recording's parts may take.
inline const QStringList kWaveAndMp3 = {QStringLiteral(".wav"), QStringLiteral(".mp3"), QStringLiteral(".rmp")};

// The first of base (number 0), base_1, base_2, ... from number `from` on, for which no file
// of that name with any of the extensions exists in folder, and which is not among alsoTaken
// (names without extension, in lower case); names compare without regard to case. The folder
// is read once.
Numbered Unique(const QString &folder, const QString &base, qint32 from = 0,
                const QStringList &extensions = kWaveAndMp3, const QSet<QString> &alsoTaken = {});

}  // namespace tolvane::PartFileName
