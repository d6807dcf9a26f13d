// The three due checks over 10,000 schedules, none of them due, so that every check walks the
// whole list. Reported per schedule per check.

#include "core/platform/CoreServices.h"
#include "core/schedule/ColSchedule.h"

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

using namespace tolvane;

namespace {

constexpr int kSchedules = 10000;

struct Timetable {
    QTemporaryDir dir;
    std::shared_ptr<CoreServices> services = std::make_shared<CoreServices>();
    ColSchedule list;

    Timetable()
    {
        services->appFolder = dir.path();
        for (int i = 0; i < kSchedules; ++i) {
            auto s = std::make_shared<ClsSchedule>(services);
            s->setStartTime(FormatTimeOfDay(Seconds(3600 + (i * 7) % 3600)));  // 01:00 to 02:00
            for (int d = 0; d < 7; ++d)
                s->setStartDay(d, (i + d) % 2);
            s->setStartTimeDelay(Seconds(i % 3 == 0 ? 60 : 0));
            s->setBeforeExecute(i % 2 == 0);
            s->setBeforeExecuteSeconds(30);
            if (i % 5 == 0)
                s->setRecordingFormat(FormatType::windowsmedia);
            list.Add(s, QStringLiteral("ID%1").arg(i));
        }
    }
};

Timetable &Shared()
{
    static Timetable t;
    return t;
}

const QDateTime kNow(QDate(2024, 3, 4), QTime(12, 0, 0));

void BM_CheckStartSchedule(benchmark::State &state)
{
    auto &t = Shared();
    for (auto _ : state)
        benchmark::DoNotOptimize(t.list.CheckStartSchedule(kNow, 20));
    state.counters["ns_per_schedule"] = benchmark::Counter(
        static_cast<double>(state.iterations()) * kSchedules, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_CheckScheduleBefore5Second(benchmark::State &state)
{
    auto &t = Shared();
    for (auto _ : state)
        benchmark::DoNotOptimize(t.list.CheckScheduleBefore5Second(kNow));
    state.counters["ns_per_schedule"] = benchmark::Counter(
        static_cast<double>(state.iterations()) * kSchedules, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_CheckBeforeExecute(benchmark::State &state)
{
    auto &t = Shared();
    for (auto _ : state)
        benchmark::DoNotOptimize(t.list.CheckBeforeExecute(kNow));
    state.counters["ns_per_schedule"] = benchmark::Counter(
        static_cast<double>(state.iterations()) * kSchedules, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

}  // namespace

BENCHMARK(BM_CheckStartSchedule)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CheckScheduleBefore5Second)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CheckBeforeExecute)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
