#include "DialogSetTag.h"

#include "core/schedule/ClsSchedule.h"
#include "frontend/FrmDialogSetFileName.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace tolvane {

namespace {

// The list's entries 0 to 147 are the genre numbers themselves; the last five entries stand for
// the numbers 251 to 255.
constexpr int kFirstHighEntry = 148;
constexpr int kHighOffset = 103;

}  // namespace

const QStringList &DialogSetTag::Genres()
{
    static const QStringList genres = QStringList{
        "Blues", "Classic Rock", "Country", "Dance", "Disco", "Funk", "Grunge", "Hip-Hop", "Jazz", "Metal",
        "New Age", "Oldies", "Other", "Pop", "R&B", "Rap", "Reggae", "Rock", "Techno", "Industrial", "Alternative",
        "Ska", "Death Metal", "Pranks", "Soundtrack", "Euro-tecno", "Ambient", "Trip-Hop", "Vocal", "Juzz+Funk",
        "Fusion", "Trance", "Classical", "Instrumental", "Acid", "House", "Game", "Sound Clip", "Gospel", "Noise",
        "AlternRock", "Bass", "Soul", "Punk", "Space", "Meditative", "Instrumental Pop", "Instrumental Rock",
        "Ethnic", "Gothic", "Darkwave", "Techno-Industrial", "Electronic", "Pop-Folk", "Eurodance", "Dream",
        "Southern Rock", "Comedy", "Cult", "Gangsta", "Top 40", "Christian Rap", "Pop/Funk", "Jungle",
        "Native American", "Cabaret", "New Wave", "Psychadelic", "Rave", "Showtunes", "Trailer", "Lo-Fi", "Tribal",
        "Acid Punk", "Acid Jazz", "Polka", "Retro", "Musical", "Rock&Roll", "Hard Rock", "Folk", "Folk/Rock",
        "National Folk", "Swing", "Fast-Fusion", "Bedob", "Latin", "Revival", "Celtic", "Bluegrass", "Avantagarde",
        "Gothic Rock", "Progressive Rock", "Psychadelic Rock", "Symphonic Rock", "Slow Rock", "Big band", "Chorus",
        "Easy Listening", "Acoustic", "Humour", "SpeechChanson", "Chanson", "Opera", "Chamber Music", "Sonata",
        "Symphony", "Booty Bass", "Primus", "Porn Groove", "Satire", "Slow Jam", "Club", "Tango", "Samba",
        "Folklore", "Ballad", "Power Ballad", "Rhytmic Soul", "Freestyle", "Duet", "Punk Rock", "Drum Solo",
        "Acapella", "Euro-House", "Dance Hall", "Goa", "Dram&Bass", "Club-House", "Hardcore", "Terror", "Indie",
        "BritPop", "Negerpunk", "Polsk Punk", "Beat", "Chiristian Gangsta Rap", "Heavy Metal", "Black Metal",
        "Crossover", "Contemporary Christian", "Christian Rock", "Merengue", "Salsa", "Thrash Metal", "Anime",
        "JPop", "Synthpop", "Seiyu", "Tecno Ambient", "Moemoe", "Tokusatsu", "Anime"};
    return genres;
}

int DialogSetTag::GenreIndexOf(quint8 GenreNo)
{
    if (GenreNo < kFirstHighEntry)
        return GenreNo;
    if (GenreNo >= kFirstHighEntry + kHighOffset)
        return GenreNo - kHighOffset;
    return -1;
}

quint8 DialogSetTag::GenreNoOf(int index)
{
    return static_cast<quint8>(index < kFirstHighEntry ? index : index + kHighOffset);
}

DialogSetTag::DialogSetTag(const DialogContext &context, QWidget *parent)
    : FormDialog(context, "DialogSetTag", tr("タグ設定"), parent)
{
    m_title = NewText("TTitle");
    m_artist = NewText("TArtist");
    m_album = NewText("TAlbum");
    m_year = NewText("TYear");
    m_comment = NewText("TComment");
    m_genre = new QComboBox(this);
    m_genre->setObjectName(QStringLiteral("CmbGenre"));
    m_genre->addItems(Genres());
    m_genre->setMaxVisibleItems(20);

    const struct {
        const char *label;
        QWidget *field;
    } rows[] = {
        {QT_TR_NOOP("タイトルを指定する文字列を入力して下さい(生成後に半角30文字以内に制限されます)"), m_title},
        {QT_TR_NOOP("アーティストを指定する文字列を入力して下さい(生成後に半角30文字以内に制限されます)"), m_artist},
        {QT_TR_NOOP("アルバムを指定する文字列を入力して下さい(生成後に半角30文字以内に制限されます)"), m_album},
        {QT_TR_NOOP("年を指定する文字列を入力して下さい(生成後に半角4文字以内に制限されます)"), m_year},
        {QT_TR_NOOP("コメントを指定する文字列を入力して下さい(生成後に半角30文字以内に制限されます)"), m_comment},
        {QT_TR_NOOP("ジャンルを選択して下さい"), m_genre},
    };
    auto *fields = new QVBoxLayout;
    for (const auto &row : rows) {
        fields->addWidget(NewLabel(tr(row.label)));
        fields->addWidget(row.field);
    }
    const QString help = FrmDialogSetFileName::CodeLines().join(u'\n') + u'\n' +
                         tr("例えば明日の風という名のスケジュールで'\\N_\\M月/D日'のように設定すると9/9に録音した場合"
                            "'明日の風_09月9日'となります。日付変更時刻はファイル名での設定を用います｡");
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(NewLabel(help, true));
    layout->addLayout(NewOkCancel([this] { OKButton_Click(); }));
    setMinimumWidth(560);
}

std::shared_ptr<ClsSchedule> DialogSetTag::ChangeTag(const ClsSchedule &Schedule)
{
    m_copy = PrivateCopy(Schedule);
    const ID3Tag tag = m_copy->MP3()->ID3Tag();
    m_title->setText(tag.Title);
    m_artist->setText(tag.Artist);
    m_album->setText(tag.Album);
    m_year->setText(tag.Year);
    m_comment->setText(tag.Comment);
    m_genre->setCurrentIndex(GenreIndexOf(tag.GenreNo));
    return ShowModal() ? m_copy : nullptr;
}

void DialogSetTag::OKButton_Click()
{
    ID3Tag tag = m_copy->MP3()->ID3Tag();
    tag.Title = m_title->text();
    tag.Artist = m_artist->text();
    tag.Album = m_album->text();
    tag.Year = m_year->text();
    tag.Comment = m_comment->text();
    // A number the list does not offer stays as it is until another genre is chosen.
    if (m_genre->currentIndex() >= 0)
        tag.GenreNo = GenreNoOf(m_genre->currentIndex());
    m_copy->MP3()->setID3Tag(tag);
    Confirm();
}

}  // namespace tolvane
