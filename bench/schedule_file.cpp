// Loading and saving a schedule file of 1,000 schedules the whole way the controller does it:
// reading and parsing, every setter (the save folder check included), building the tree, and
// the synced write and rename. The synced write of the same bytes alone is the floor a save
// cannot go below.

#include "core/controller/ClsController.h"
#include "core/persistence/AtomicFile.h"
#include "core/persistence/ClsScheduleSaveLoad.h"
#include "tests/support/TestDoubles.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>

using namespace tolvane;

namespace {

constexpr int kSchedules = 1000;

struct Library {
    QTemporaryDir dir;
    std::shared_ptr<CoreServices> services = std::make_shared<CoreServices>();
    std::unique_ptr<ClsController> controller;
    QByteArray file;

    Library()
    {
        services->appFolder = dir.path();
        services->clock = std::make_shared<SimulatedClock>(QDateTime(QDate(2024, 3, 4), QTime(12, 0, 0)));
        services->notifier = std::make_shared<RecordingNotifier>();
        controller = std::make_unique<ClsController>(services);
        ClsScheduleSaveLoad().LoadSchedule(*controller);
        for (int i = 0; i < kSchedules; ++i) {
            auto s = controller->CreateNewSchedule();
            s->setName(QStringLiteral("番組 %1").arg(i));
            s->setStartTime(FormatTimeOfDay(Seconds(i * 67)));
            s->setEndTime(FormatTimeOfDay(Seconds(i * 67 + 1800)));
            for (int d = 0; d < 7; ++d)
                s->setStartDay(d, (i + d) % 2);
            s->setRecordingFormat(static_cast<FormatType>(i % 3));
            s->setUseSystemSourceDevice(i % 2 == 0);
            s->MP3()->setMP3LimitVBRBitRate(i % 4 == 2);
            s->MP3()->setMP3SetIOFreq(i % 4 == 2);
            controller->AddSchedule2List(s);
        }
        ClsScheduleSaveLoad().SaveSchedule(*controller, QString());
        QFile saved(dir.path() + QStringLiteral("/schedule.xml"));
        if (saved.open(QIODevice::ReadOnly))
            file = saved.readAll();
    }
};

Library &Shared()
{
    static Library library;
    return library;
}

void BM_Load(benchmark::State &state)
{
    auto &library = Shared();
    for (auto _ : state) {
        ClsController c(library.services);
        ClsScheduleSaveLoad().LoadSchedule(c);
        if (c.nSchedules() != kSchedules)
            state.SkipWithError("the file did not load whole");
    }
    state.counters["file_bytes"] = static_cast<double>(library.file.size());
}

void BM_Save(benchmark::State &state)
{
    auto &library = Shared();
    for (auto _ : state)
        ClsScheduleSaveLoad().SaveSchedule(*library.controller, QString());
    state.counters["file_bytes"] = static_cast<double>(library.file.size());
}

void BM_SyncedWriteOnly(benchmark::State &state)
{
    auto &library = Shared();
    const QString path = library.dir.path() + QStringLiteral("/copy.xml");
    for (auto _ : state)
        WriteFileAtomically(path, library.file, QStringLiteral("bench"));
}

}  // namespace

BENCHMARK(BM_Load)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Save)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SyncedWriteOnly)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
