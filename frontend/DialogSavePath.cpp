#include "DialogSavePath.h"

#include "frontend/FrmDialogNewFolder.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QPushButton>
#include <QTreeWidget>

#include <algorithm>

namespace tolvane {

namespace {

constexpr int kPathRole = Qt::UserRole;
constexpr int kFilledRole = Qt::UserRole + 1;

QTreeWidgetItem *NewFolderItem(const QString &name, const QString &path)
{
    auto *item = new QTreeWidgetItem(QStringList{name});
    item->setData(0, kPathRole, path);
    item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    return item;
}

// Whether the block device behind a device file says it can be removed.
bool IsRemovable(const QByteArray &device)
{
    const QString block = QFileInfo(QStringLiteral("/sys/class/block/") + QFileInfo(QFile::decodeName(device)).fileName())
                              .canonicalFilePath();
    if (block.isEmpty())
        return false;
    // A partition's flag is its disk's.
    for (const QString &folder : {block, QFileInfo(block).path()}) {
        QFile flag(folder + QStringLiteral("/removable"));
        if (flag.open(QIODevice::ReadOnly))
            return flag.readAll().trimmed() == "1";
    }
    return false;
}

}  // namespace

DialogSavePath::DialogSavePath(const DialogContext &context, QWidget *parent)
    : FormDialog(context, "DialogSavePath", tr("保存フォルダ設定"), parent)
{
    m_drive = new QComboBox(this);
    m_drive->setObjectName(QStringLiteral("DriveSavePath"));
    const QString home = QDir::homePath();
    m_drives.append(Drive{home, QStorageInfo(home)});
    m_drive->addItem(tr("ホームフォルダ (%1)").arg(home));
    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes()) {
        if (volume.rootPath() == home ||
            !IsSavePlace(volume.fileSystemType(), volume.device(), volume.rootPath(), volume.isReadOnly()))
            continue;
        m_drives.append(Drive{volume.rootPath(), volume});
        const QString label = volume.name().isEmpty() ? QString() : QStringLiteral(" [") + volume.name() + u']';
        m_drive->addItem(volume.rootPath() + label);
    }
    // Only the user's choice of a drive is checked and named, not the drive the dialog opens on.
    connect(m_drive, &QComboBox::activated, this, [this](int index) {
        try {
            DriveSavePath_Change(index);
        } catch (const NumberedError &e) {
            ShowError(ErrorText(tr("ドライブ選択時に予期せぬエラーが発生しました。"), e));
        }
    });

    m_dir = new QTreeWidget(this);
    m_dir->setObjectName(QStringLiteral("DirSavePath"));
    m_dir->setHeaderHidden(true);
    connect(m_dir, &QTreeWidget::itemExpanded, this, &DialogSavePath::FillChildren);
    connect(m_dir, &QTreeWidget::itemActivated, this, [](QTreeWidgetItem *item) { item->setExpanded(true); });

    auto *layout = new QGridLayout(this);
    layout->addWidget(m_drive, 0, 0, 1, 2);
    layout->addWidget(m_dir, 1, 0, 1, 2);
    layout->addWidget(NewButton("CNewFolder", tr("新規フォルダ"), [this] { CNewFolder_Click(); }), 2, 0,
                      Qt::AlignLeft);
    layout->addLayout(NewOkCancel([this] { OKButton_Click(); }), 2, 1);
    setMinimumSize(460, 420);
}

int DialogSavePath::DriveType(const QByteArray &fileSystemType, const QByteArray &device)
{
    static const QList<QByteArray> ram{"tmpfs", "ramfs"};
    static const QList<QByteArray> network{"nfs", "nfs4", "cifs", "smb3", "smbfs", "9p", "ceph", "afs", "fuse.sshfs"};
    static const QList<QByteArray> optical{"iso9660", "udf"};
    // Local file systems that are not mounted from one device of their own.
    static const QList<QByteArray> localWithoutDevice{"overlay", "zfs", "btrfs"};
    if (ram.contains(fileSystemType))
        return 5;
    if (network.contains(fileSystemType))
        return 3;
    if (optical.contains(fileSystemType) || device.startsWith("/dev/sr"))
        return 4;
    if (device.startsWith("/dev/"))
        return IsRemovable(device) ? 1 : 2;
    if (localWithoutDevice.contains(fileSystemType))
        return 2;
    return 0;
}

bool DialogSavePath::IsSavePlace(const QByteArray &fileSystemType, const QByteArray &device, const QString &rootPath,
                                 bool readOnly)
{
    // Desktops mount removable media under /media or /run/media; the rest of these belong to the system.
    static const QStringList systemRoots{QStringLiteral("/boot"), QStringLiteral("/efi"),  QStringLiteral("/proc"),
                                         QStringLiteral("/sys"),  QStringLiteral("/dev"),  QStringLiteral("/run"),
                                         QStringLiteral("/snap"), QStringLiteral("/var/lib/snapd")};
    const auto under = [&rootPath](const QString &root) {
        return rootPath == root || rootPath.startsWith(root + u'/');
    };
    if (readOnly || fileSystemType == "squashfs")
        return false;
    if (!under(QStringLiteral("/run/media")) && std::any_of(systemRoots.begin(), systemRoots.end(), under))
        return false;
    const int type = DriveType(fileSystemType, device);
    return type == 1 || type == 2 || type == 3;
}

QString DialogSavePath::DriveTypeName(int type)
{
    const QString names[6] = {tr("種別不明"),       tr("リムーバブル ディスク"), tr("ハード ディスク"),
                              tr("ネットワーク ドライブ"), QStringLiteral("CD-ROM"),  tr("RAM ディスク")};
    return type >= 0 && type <= 5 ? names[type] : names[0];
}

std::optional<QString> DialogSavePath::GetSavePath(const QString &OldPath)
{
    OpenFolder(OldPath.isEmpty() ? QDir::homePath() : OldPath);
    if (!ShowModal())
        return std::nullopt;
    return m_chosen;
}

void DialogSavePath::SelectDrive(const QString &path)
{
    // The drive of a folder is the mounted file system with the longest root above it.
    m_driveIndex = -1;
    qsizetype longest = -1;
    for (int i = 0; i < m_drives.size(); ++i) {
        const QString &root = m_drives[i].root;
        const bool above = path == root || path.startsWith(root.endsWith(u'/') ? root : root + u'/');
        if (above && root.size() > longest) {
            longest = root.size();
            m_driveIndex = i;
        }
    }
    m_drive->setCurrentIndex(m_driveIndex);
}

void DialogSavePath::OpenFolder(const QString &path)
{
    QString target = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    while (!QFileInfo(target).isDir() && target != QStringLiteral("/"))
        target = QFileInfo(target).path();
    SelectDrive(target);
    const QString root = m_driveIndex >= 0 ? m_drives[m_driveIndex].root : QStringLiteral("/");

    m_dir->clear();
    QTreeWidgetItem *item = NewFolderItem(root, root);
    m_dir->addTopLevelItem(item);
    const QString relative = QDir(root).relativeFilePath(target);
    for (const QString &name : relative.split(u'/', Qt::SkipEmptyParts)) {
        if (name == QStringLiteral("."))
            continue;
        FillChildren(item);
        QTreeWidgetItem *next = nullptr;
        for (int i = 0; i < item->childCount() && !next; ++i) {
            if (item->child(i)->text(0) == name)
                next = item->child(i);
        }
        // Hidden folders are not listed, but the way to the folder shown always is.
        if (!next) {
            next = NewFolderItem(name, QDir(item->data(0, kPathRole).toString()).filePath(name));
            item->addChild(next);
        }
        item->setExpanded(true);
        item = next;
    }
    item->setExpanded(true);
    m_dir->setCurrentItem(item);
}

void DialogSavePath::FillChildren(QTreeWidgetItem *item)
{
    if (item->data(0, kFilledRole).toBool())
        return;
    item->setData(0, kFilledRole, true);
    const QDir folder(item->data(0, kPathRole).toString());
    const QStringList names = folder.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QString &name : names)
        item->addChild(NewFolderItem(name, folder.filePath(name)));
    if (names.isEmpty())
        item->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
}

QString DialogSavePath::CurrentFolder() const
{
    const QTreeWidgetItem *item = m_dir->currentItem() ? m_dir->currentItem() : m_dir->topLevelItem(0);
    return item ? item->data(0, kPathRole).toString() : QStringLiteral("/");
}

void DialogSavePath::DriveSavePath_Change(int index)
{
    const QString &root = m_drives[index].root;
    QStorageInfo &drive = m_drives[index].volume;
    drive.refresh();
    if (!drive.isReady() || !QFileInfo(root).isReadable()) {
        ShowError(tr("選択されたドライブは現在使用できません。他のドライブを選択するか、"
                     "使用できる状態にしてからもう一度選択して下さい"));
        m_drive->setCurrentIndex(m_driveIndex);
        return;
    }
    OpenFolder(root);
    const int type = DriveType(drive.fileSystemType(), drive.device());
    if (type != 2)
        ShowError(tr("このドライブは%1です。このドライブを選択すると本ソフトが正しく機能しない可能性があります｡"
                     "ハードディスクドライブを選択されることを推奨します｡ ")
                      .arg(DriveTypeName(type)));
}

void DialogSavePath::CNewFolder_Click()
{
    const QString parentPath = CurrentFolder();
    FrmDialogNewFolder dialog(Context(), this);
    const QString name = dialog.MakeNewFolder(parentPath);
    if (!name.isEmpty())
        OpenFolder(QDir(parentPath).filePath(name));
}

void DialogSavePath::OKButton_Click()
{
    m_chosen = CurrentFolder();
    if (!m_chosen.endsWith(u'/'))
        m_chosen += u'/';
    Confirm();
}

}  // namespace tolvane
