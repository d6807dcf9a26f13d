#pragma once
// What the schedule file fuzz targets share: a private application folder, and core services
// that never reach the user. Folder creation is refused for the whole process, so that save
// folders named by the input are never made anywhere on the machine.

#include "core/controller/ClsController.h"
#include "core/persistence/ClsScheduleSaveLoad.h"
#include "tests/support/TestDoubles.h"
#include "tests/support/SyscallFilter.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <memory>
#include <optional>

namespace tolvane::fuzz {

inline const QString &AppFolder()
{
    static const QString folder = [] {
        static QTemporaryDir dir;
        if (!dir.isValid() || !test::FilterSyscalls(test::MkdirSyscalls(), test::SyscallAction::FailWithEPERM))
            __builtin_trap();
        return dir.path();
    }();
    return folder;
}

inline std::shared_ptr<CoreServices> Services()
{
    auto services = std::make_shared<CoreServices>();
    services->appFolder = AppFolder();
    services->clock = std::make_shared<SimulatedClock>(QDateTime(QDate(2024, 3, 4), QTime(12, 0, 0)));
    services->notifier = std::make_shared<RecordingNotifier>();
    return services;
}

inline QString PathOf(const char *name)
{
    return AppFolder() + QLatin1Char('/') + QLatin1String(name);
}

inline void WriteFile(const char *name, const uint8_t *data, size_t size)
{
    QFile file(PathOf(name));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(reinterpret_cast<const char *>(data), static_cast<qint64>(size)) != static_cast<qint64>(size))
        __builtin_trap();
}

// A controller with the schedule files loaded, or nothing when the load failed.
inline std::unique_ptr<ClsController> Loaded(const std::shared_ptr<CoreServices> &services)
{
    auto controller = std::make_unique<ClsController>(services);
    try {
        ClsScheduleSaveLoad().LoadSchedule(*controller);
    } catch (const NumberedError &) {
        return nullptr;
    }
    return controller;
}

// Whatever loaded must save, and the saved file must load again into a state that saves to
// the very same file.
inline void CheckSaveAndReload(ClsController &loaded, const std::shared_ptr<CoreServices> &services)
{
    const auto savedBytes = [] {
        QFile file(PathOf("schedule.xml"));
        if (!file.open(QIODevice::ReadOnly))
            __builtin_trap();
        return file.readAll();
    };
    try {
        ClsScheduleSaveLoad().SaveSchedule(loaded, QString());
        const QByteArray first = savedBytes();
        auto again = Loaded(services);
        if (!again || again->nSchedules() != loaded.nSchedules())
            __builtin_trap();
        ClsScheduleSaveLoad().SaveSchedule(*again, QString());
        if (savedBytes() != first)
            __builtin_trap();
    } catch (const NumberedError &) {
        __builtin_trap();
    }
}

}  // namespace tolvane::fuzz
