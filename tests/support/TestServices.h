#pragma once
// Core services for tests: a simulated clock, recorded messages, a hand-fired tick, fakes for
// power, programs, the clock, capture, the encoder and the mixer, and a fresh temporary
// application folder.

#include "core/platform/CoreServices.h"
#include "tests/support/TestDoubles.h"
#include "tests/support/FakeCapture.h"
#include "tests/support/FakeEncoder.h"
#include "tests/support/FakeMixer.h"

#include <QDateTime>
#include <QDir>
#include <QTemporaryDir>

#include <memory>

namespace tolvane::test {

struct TestEnv {
    QTemporaryDir dir;
    std::shared_ptr<SimulatedClock> clock;
    std::shared_ptr<RecordingNotifier> notifier;
    std::shared_ptr<ManualTickTimer> timer;
    std::shared_ptr<RecordingPower> power = std::make_shared<RecordingPower>();
    std::shared_ptr<RecordingShellLauncher> shell = std::make_shared<RecordingShellLauncher>();
    std::shared_ptr<SimulatedClockSetter> clockSetter;
    std::shared_ptr<RecordingWakeAlarm> wakeAlarm = std::make_shared<RecordingWakeAlarm>();
    qint64 freeBytes = qint64{1} << 50;  // what every folder has free
    std::shared_ptr<FakeCaptureFactory> capture = std::make_shared<FakeCaptureFactory>();
    std::shared_ptr<FakeEncoderFactory> encoders = std::make_shared<FakeEncoderFactory>();
    std::shared_ptr<FakeMixerState> mixer = std::make_shared<FakeMixerState>();
    std::shared_ptr<CoreServices> services;
    // What the services' device list says (the fake mixer's devices carry no server sources).
    std::vector<CoreServices::ListedDevice> soundDevices;

    explicit TestEnv(const QDateTime &now = QDateTime(QDate(2024, 3, 4), QTime(12, 0, 0)))
        : clock(std::make_shared<SimulatedClock>(now)),
          notifier(std::make_shared<RecordingNotifier>()),
          timer(std::make_shared<ManualTickTimer>()),
          clockSetter(std::make_shared<SimulatedClockSetter>(clock)),
          services(std::make_shared<CoreServices>())
    {
        services->appFolder = dir.path();
        services->clock = clock;
        services->notifier = notifier;
        services->tickTimer = timer;
        services->power = power;
        services->shell = shell;
        services->clockSetter = clockSetter;
        services->wakeAlarm = wakeAlarm;
        services->freeSpace = [this](const QString &) { return freeBytes; };
        services->captureFactory = capture;
        services->encoderFactory = encoders;
        services->mixerFactory = FakeMixer::Factory(mixer);
        services->soundDevices = [this] { return soundDevices; };
    }

    // The fakes keep what they were handed (schedules, which hold the services): let go.
    ~TestEnv()
    {
        capture->pipelines.clear();
        capture->windowsMedia.reset();
    }

    QString Path(const QString &name) const { return dir.path() + QLatin1Char('/') + name; }
};

// Makes `folder` the working folder for the life of the object, so that a test sees where a
// relative path would land.
class WorkingFolder {
public:
    explicit WorkingFolder(const QString &folder) { QDir::setCurrent(folder); }
    ~WorkingFolder() { QDir::setCurrent(m_previous); }
    WorkingFolder(const WorkingFolder &) = delete;
    WorkingFolder &operator=(const WorkingFolder &) = delete;

private:
    QString m_previous = QDir::currentPath();
};

}  // namespace tolvane::test
