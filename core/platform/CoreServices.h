#pragma once
// The platform services the core runs on, chosen once by the program (real ones) or by a test
// (fakes) and shared by the controller and the schedules it makes.

#include "core/platform/IClock.h"
#include "core/platform/ITickTimer.h"
#include "core/platform/IUserNotifier.h"

#include <QString>

#include <functional>
#include <memory>

namespace tolvane {

struct CoreServices {
    // Where "schedule.xml", "rec.log" and the other files of the core live (no trailing "/").
    QString appFolder;
    std::shared_ptr<IClock> clock;
    std::shared_ptr<IUserNotifier> notifier;
    std::shared_ptr<ITickTimer> tickTimer;

    // Whether the Windows Media output and the MP3 encoder can be used here.
    std::function<bool()> probeWindowsMedia;
    std::function<bool()> probeMp3Encoder;

    // The Linux services: the wall clock, a tick aligned to it, messages on standard error.
    static std::shared_ptr<CoreServices> Real(const QString &appFolder);
};

}  // namespace tolvane
