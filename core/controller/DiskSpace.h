#pragma once
// How much disk the timetable will fill: the bytes each recording leaves in its save folder
// (WAVE, MP3 after or during the recording, Windows Media), set against each folder's free space.

#include "core/schedule/Occurrences.h"

#include <QString>

#include <functional>
#include <map>
#include <vector>

namespace tolvane {

struct FolderSpace {
    QString folder;
    qint64 needed = 0;     // bytes the recordings will have written at their fullest
    qint64 available = 0;  // bytes free now
    int recordings = 0;

    bool Short() const { return needed > available; }
};

class DiskSpace {
public:
    // encodeAfterCapture: whether MP3 schedules are encoded after the recording here (the
    // encoder is available); without it they stay WAVE files.
    DiskSpace(QString defaultFolder, bool encodeAfterCapture, std::function<qint64(const QString &)> freeBytes = {});

    // The bytes one recording of `seconds` leaves; `temporary` gets the bytes that exist only
    // until its encode is done (the WAVE file of an MP3 that deletes it).
    qint64 Bytes(const ClsSchedule &schedule, qint64 seconds, qint64 *temporary = nullptr) const;

    // The recordings grouped by save folder, each folder's need against its free space.
    std::vector<FolderSpace> Estimate(const std::vector<Occurrence> &recordings) const;

    QString FolderOf(const ClsSchedule &schedule) const;
    qint64 Free(const QString &folder) const { return m_freeBytes(folder); }

    // Free bytes of the file system that holds `folder` (or would, once created).
    static qint64 FreeBytes(const QString &folder);

private:
    // A Windows Media session file's bit rate, read once per file for this estimate.
    qint64 SessionBitsPerSecond(const QString &sessionFile) const;

    QString m_defaultFolder;
    bool m_encodeAfterCapture;
    std::function<qint64(const QString &)> m_freeBytes;
    mutable std::map<QString, qint64> m_sessionBits;
};

// "1.2 GB" and the like, for messages.
QString ByteSizeText(qint64 bytes);

}  // namespace tolvane
