#include "FrmDialogNewFolder.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <filesystem>
#include <system_error>

namespace tolvane {

FrmDialogNewFolder::FrmDialogNewFolder(const DialogContext &context, QWidget *parent)
    : FormDialog(context, "FrmDialogNewFolder", tr("新規フォルダの作成"), parent)
{
    m_name = NewText("TNewFolderName");
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(NewLabel(tr("新規に作成するフォルダの名前を入力して下さい。")));
    layout->addWidget(m_name);
    layout->addLayout(NewOkCancel([this] { OKButton_Click(); }));
}

QString FrmDialogNewFolder::MakeNewFolder(const QString &ParentDirPath)
{
    m_parentPath = ParentDirPath;
    m_name->clear();
    return ShowModal() ? m_name->text() : QString();
}

void FrmDialogNewFolder::OKButton_Click()
{
    const QString name = m_name->text();
    std::error_code error;
    // One folder, in this parent: a name that is empty or walks elsewhere is no folder name.
    if (name.isEmpty() || name.contains(u'/') || name == u'.' || name == QStringLiteral(".."))
        error = std::make_error_code(std::errc::invalid_argument);
    else if (const std::string path = QFile::encodeName(QDir(m_parentPath).filePath(name)).toStdString();
             !std::filesystem::create_directory(path, error) && !error)
        error = std::make_error_code(std::errc::file_exists);
    if (error) {
        ShowError(QString::fromLocal8Bit(error.message()));
        return;
    }
    Confirm();
}

}  // namespace tolvane
