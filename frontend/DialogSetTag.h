#pragma once
// Edits the ID3 version 1 tag written into a schedule's MP3 files: five text templates and
// the genre.

#include "frontend/FormDialog.h"

#include <QStringList>

class QComboBox;
class QLineEdit;

namespace tolvane {

class DialogSetTag final : public FormDialog {
    Q_OBJECT
public:
    DialogSetTag(const DialogContext &context, QWidget *parent);

    // The edited copy on OK; null on Cancel.
    std::shared_ptr<ClsSchedule> ChangeTag(const ClsSchedule &Schedule);

    // The genre list as shown, 153 entries.
    static const QStringList &Genres();
    // The list entry of a stored genre number, -1 for a number the list does not offer.
    static int GenreIndexOf(quint8 GenreNo);
    // The genre number stored for a list entry.
    static quint8 GenreNoOf(int index);

private:
    void OKButton_Click();

    std::shared_ptr<ClsSchedule> m_copy;
    QLineEdit *m_title = nullptr;
    QLineEdit *m_artist = nullptr;
    QLineEdit *m_album = nullptr;
    QLineEdit *m_year = nullptr;
    QLineEdit *m_comment = nullptr;
    QComboBox *m_genre = nullptr;
};

}  // namespace tolvane
