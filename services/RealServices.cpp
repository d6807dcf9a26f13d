#include "RealServices.h"

#include "common/AppFolder.h"
#include "core/capture/CaptureFactory.h"
#include "core/controller/DiskSpace.h"
#include "core/encoder/EncordaFactory.h"
#include "core/platform/AlignedTickTimer.h"
#include "core/platform/FreedesktopNotifier.h"
#include "core/platform/LogindPower.h"
#include "mixer/alsa/Mixer.h"
#include "mixer/alsa/SoundDeviceList.h"

namespace tolvane {

std::shared_ptr<CoreServices> RealServices(const QString &appFolder)
{
    auto services = std::make_shared<CoreServices>();
    services->appFolder = appFolder;
    services->firstRunSaveFolder = AppFolder::MusicFolder();
    services->clock = std::make_shared<SystemClock>();
    services->notifier = std::make_shared<StderrNotifier>();
    services->desktopNotifier = std::make_shared<FreedesktopNotifier>();
    services->tickTimer = std::make_shared<AlignedTickTimer>();
    services->power = std::make_shared<LogindPower>();
    services->shell = std::make_shared<LinuxShellLauncher>();
    services->clockSetter = std::make_shared<SystemClockSetter>();
    services->wakeAlarm = std::make_shared<SystemWakeAlarm>();
    services->freeSpace = &DiskSpace::FreeBytes;
    services->mixerFactory = Mixer::Factory();
    services->soundDevices = [] {
        std::vector<CoreServices::ListedDevice> listed;
        for (const SoundDevice &d : SoundDeviceList::Current())
            listed.push_back({d.name, d.serverSource});
        return listed;
    };
    services->encoderFactory = std::make_shared<EncordaFactory>();
    SoundSourceConfig source;
    try {
        source = SoundSourceConfig::FromEnvironment();
    } catch (const NumberedError &e) {
        services->notifier->ShowMessage(e.Description() + QStringLiteral(" (recording from the sound card instead)"),
                                        MessageIcon::Warning);
    }
    services->captureFactory = std::make_shared<CaptureFactory>(services, std::move(source), services->encoderFactory);
    return services;
}

}  // namespace tolvane
