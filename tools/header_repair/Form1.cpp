#include "Form1.h"

#include "tools/header_repair/WaveHeaderRepair.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>

namespace tolvane {

namespace {

const QString kTitle = QStringLiteral("Waveヘッダ書き込み");

// The first local file of a drop; empty when there is none.
QString FirstFile(const QMimeData *mime)
{
    if (!mime || !mime->hasUrls())
        return {};
    for (const QUrl &url : mime->urls()) {
        if (url.isLocalFile())
            return url.toLocalFile();
    }
    return {};
}

}  // namespace

Form1::Dialogs Form1::Dialogs::MessageBoxes()
{
    return {[](QWidget *parent, const QString &question) {
                return QMessageBox::question(parent, kTitle, question, QMessageBox::Ok | QMessageBox::Cancel,
                                             QMessageBox::Ok)
                       == QMessageBox::Ok;
            },
            [](QWidget *parent, const QString &message) { QMessageBox::information(parent, kTitle, message); }};
}

Form1::Form1(Dialogs dialogs, QWidget *parent) : QWidget(parent), m_dialogs(std::move(dialogs))
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("ヘッダ書き込み"));
    setAcceptDrops(true);

    auto *label1 = new QLabel(QStringLiteral("フルパス"), this);
    label1->setObjectName(QStringLiteral("Label1"));
    m_label4 = new QLabel(this);
    m_label4->setObjectName(QStringLiteral("Label4"));
    m_label4->setFrameShape(QFrame::StyledPanel);
    m_label4->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_label4->setMinimumWidth(360);
    auto *label2 = new QLabel(QStringLiteral("ヘッダを書き込みたいファイルをドロップして下さい。"), this);
    label2->setObjectName(QStringLiteral("Label2"));
    auto *label3 = new QLabel(QStringLiteral("エクスプローラでファイルを選択中だと書き込めないことがあるのでドロップした後他の"
                                             "Waveファイルを選択しておいて下さい。"),
                              this);
    label3->setObjectName(QStringLiteral("Label3"));
    label3->setWordWrap(true);
    m_command1 = new QPushButton(QStringLiteral("書き込み"), this);
    m_command1->setObjectName(QStringLiteral("Command1"));
    m_command1->setEnabled(false);  // nothing to write before a file was dropped
    connect(m_command1, &QPushButton::clicked, this, &Form1::Command1_Click);

    auto *grid = new QGridLayout(this);
    grid->addWidget(label1, 0, 0);
    grid->addWidget(m_label4, 0, 1);
    grid->addWidget(label2, 1, 0, 1, 2);
    grid->addWidget(label3, 2, 0, 1, 2);
    grid->addWidget(m_command1, 3, 1, Qt::AlignRight);
}

void Form1::ShowFile(const QString &path)
{
    m_label4->setText(path);
    m_command1->setEnabled(!path.isEmpty());
}

QString Form1::FilePath() const { return m_label4->text(); }

void Form1::Command1_Click()
{
    const QString path = FilePath();
    if (path.isEmpty() || !m_dialogs.confirm(this, RepairQuestion(path)))
        return;
    m_dialogs.tell(this, RepairMessage(RepairWaveHeader(path)));
}

// The labels and the button take no drops themselves, so a drop on any of them lands here.
void Form1::dragEnterEvent(QDragEnterEvent *event)
{
    if (!FirstFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void Form1::dropEvent(QDropEvent *event)
{
    const QString path = FirstFile(event->mimeData());
    if (path.isEmpty())
        return;
    ShowFile(path);
    event->acceptProposedAction();
}

}  // namespace tolvane
