#pragma once
// Chooses the folder recordings are saved in: the home folder and the file systems a user saves
// to stand in for drives, and a folder tree shows the chosen one's folders.

#include "frontend/FormDialog.h"

#include <QStorageInfo>

#include <optional>

class QComboBox;
class QTreeWidget;
class QTreeWidgetItem;

namespace tolvane {

class DialogSavePath final : public FormDialog {
    Q_OBJECT
public:
    DialogSavePath(const DialogContext &context, QWidget *parent);

    // The chosen folder, ending in "/", on OK; nothing on Cancel. It opens at OldPath.
    std::optional<QString> GetSavePath(const QString &OldPath);

    // The kind of a file system: 0 not determined, 1 removable, 2 fixed, 3 network, 4 CD-ROM,
    // 5 RAM disk. `device` is what is mounted ("/dev/sda1", "server:/export", "tmpfs").
    static int DriveType(const QByteArray &fileSystemType, const QByteArray &device);
    static QString DriveTypeName(int type);
    // Whether a mounted file system is offered as a drive: the machine's own disks, removable
    // and network ones; not the system's (boot, run-time, package images), not one in memory,
    // not one that cannot be written.
    static bool IsSavePlace(const QByteArray &fileSystemType, const QByteArray &device, const QString &rootPath,
                            bool readOnly);

private:
    void DriveSavePath_Change(int index);
    void CNewFolder_Click();
    void OKButton_Click();
    void OpenFolder(const QString &path);
    void SelectDrive(const QString &path);
    void FillChildren(QTreeWidgetItem *item);
    QString CurrentFolder() const;

    struct Drive {
        // Where the folder tree starts: a mount point, or the home folder.
        QString root;
        QStorageInfo volume;
    };
    QList<Drive> m_drives;
    int m_driveIndex = -1;
    QString m_chosen;
    QComboBox *m_drive = nullptr;
    QTreeWidget *m_dir = nullptr;
};

}  // namespace tolvane
