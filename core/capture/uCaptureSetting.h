#pragma once
// What the controller hands to a capture output for one recording.

#include "core/schedule/ClsSchedule.h"

#include <QString>

#include <memory>

namespace tolvane {

struct uCaptureSetting {
    std::shared_ptr<ClsSchedule> Schedule;  // the controller's private copy for this occurrence
    double BufferLength = 0;                // seconds of capture ring
    qint32 NoSoundVolume = 0;               // silence level for trimming, percent
    QString FilePath;                       // output folder
    QString FileName;                       // output name without folder and extension
    QString WMEFilePath;                    // Windows Media session file
};

}  // namespace tolvane
