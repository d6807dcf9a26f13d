#pragma once
// The ID3 version 1 tag texts of a schedule; the texts may hold file-name template tokens.

#include <QString>
#include <QtGlobal>

namespace tolvane {

struct ID3Tag {
    QString Tag;
    QString Title = QStringLiteral("\\N");
    QString Artist;
    QString Album;
    QString Year = QStringLiteral("\\Y");
    QString Comment;
    quint8 GenreNo = 0;

    friend bool operator==(const ID3Tag &, const ID3Tag &) = default;
};

}  // namespace tolvane
