#pragma once
// The platform services the core runs on, chosen once by the program (services/RealServices) or
// by a test (fakes) and shared by the controller and the schedules it makes.

#include "core/platform/IClock.h"
#include "core/platform/IClockSetter.h"
#include "core/platform/IDesktopNotifier.h"
#include "core/platform/IPower.h"
#include "core/platform/IShellLauncher.h"
#include "core/platform/ITickTimer.h"
#include "core/platform/IUserNotifier.h"
#include "core/platform/IWakeAlarm.h"
#include "mixer/interfaces/IMixer.h"

#include <QString>

#include <functional>
#include <memory>
#include <vector>

namespace tolvane {

class ICaptureFactory;
class IEncoderFactory;

struct CoreServices {
    // Where "schedule.xml", "rec.log" and the other files of the core live (no trailing "/").
    QString appFolder;
    // A read-only run (tolvane-cli status): no file or folder is written, no log line, no clock
    // query; the schedules are shown as stored.
    bool readOnly = false;
    // The default save folder of a first run (no schedule file yet): the user's music folder.
    // Empty means the application folder.
    QString firstRunSaveFolder;

    std::shared_ptr<IClock> clock;
    std::shared_ptr<IUserNotifier> notifier;
    // Null: no desktop notifications.
    std::shared_ptr<IDesktopNotifier> desktopNotifier;
    std::shared_ptr<ITickTimer> tickTimer;
    std::shared_ptr<IPower> power;
    std::shared_ptr<IShellLauncher> shell;
    std::shared_ptr<IClockSetter> clockSetter;
    std::shared_ptr<IWakeAlarm> wakeAlarm;
    // Free bytes of the file system that holds a folder.
    std::function<qint64(const QString &)> freeSpace;
    // Capture outputs, the MP3 encoder and the mixer; null when the platform has none.
    std::shared_ptr<ICaptureFactory> captureFactory;
    std::shared_ptr<IEncoderFactory> encoderFactory;
    MixerFactory mixerFactory;
    // A device of the shared list of sound devices (the mixer's devices, in the same order): its
    // name, and the sound server's name of the source it is (empty for the others).
    struct ListedDevice {
        QString name;
        QString serverSource;
    };
    // The list as it is now; null: none.
    std::function<std::vector<ListedDevice>()> soundDevices;
};

}  // namespace tolvane
