#pragma once
// Core services for tests: a simulated clock, recorded messages, a hand-fired tick and a fresh
// temporary application folder.

#include "core/platform/CoreServices.h"

#include <QDateTime>
#include <QTemporaryDir>

#include <memory>

namespace tolvane::test {

struct TestEnv {
    QTemporaryDir dir;
    std::shared_ptr<SimulatedClock> clock;
    std::shared_ptr<RecordingNotifier> notifier;
    std::shared_ptr<ManualTickTimer> timer;
    std::shared_ptr<CoreServices> services;

    explicit TestEnv(const QDateTime &now = QDateTime(QDate(2024, 3, 4), QTime(12, 0, 0)))
        : clock(std::make_shared<SimulatedClock>(now)),
          notifier(std::make_shared<RecordingNotifier>()),
          timer(std::make_shared<ManualTickTimer>()),
          services(std::make_shared<CoreServices>())
    {
        services->appFolder = dir.path();
        services->clock = clock;
        services->notifier = notifier;
        services->tickTimer = timer;
    }

    QString Path(const QString &name) const { return dir.path() + QLatin1Char('/') + name; }
};

}  // namespace tolvane::test
