#pragma once
// One queued MP3 encode: a finished WAVE file and the schedule whose settings apply to it.

#include "core/schedule/ClsSchedule.h"

#include <QString>

#include <memory>

namespace tolvane {

struct ClsEncodeSchedule {
    QString FilePath;
    std::shared_ptr<ClsSchedule> Schedule;
};

}  // namespace tolvane
