// The window with 1,000 stored schedules: the time from creating it to a shown list (in this
// process, on the offscreen platform), and the resident memory of the real program once it has
// started and sits idle.

#include "frontend/Frmmain.h"
#include "services/RealServices.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>

#include <benchmark/benchmark.h>

#include <cstdio>

using namespace tolvane;

namespace {

constexpr int kSchedules = 1000;

QString g_home;

// Saves 1,000 schedules through the controller, so that the file has whatever form the
// schedule file writer gives it. False when it cannot be written.
bool WriteSchedules(const QString &home)
{
    ClsController c(RealServices(home));
    bool failed = false;
    QObject::connect(&c, &ClsController::OnError, [&](const NumberedError &e) {
        std::fprintf(stderr, "bench_window_startup: %s\n", qPrintable(e.Description()));
        failed = true;
    });
    for (int i = 0; i < kSchedules; ++i) {
        auto s = c.CreateNewSchedule();
        s->setName(QStringLiteral("番組%1").arg(i));
        const int start = (i * 97) % 86400;
        s->setStartTime(FormatTimeOfDay(Seconds(start)));
        s->setEndTime(FormatTimeOfDay(Seconds(start + 1800)));
        s->setStartDay(i % 7, 1);
        s->setRecordingFormat(i % 3 == 0 ? FormatType::MP3 : FormatType::wave);
        c.AddSchedule2List(s);
    }
    c.SaveSetting();
    return !failed;
}

void Wait(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// Resident memory of a process in MB, from /proc.
double ResidentMB(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return -1;
}

void BM_WindowShowsList(benchmark::State &state)
{
    int rows = 0;
    for (auto _ : state) {
        QElapsedTimer t;
        t.start();
        Frmmain::Parts parts;
        parts.services = RealServices(g_home);
        Frmmain window(std::move(parts));
        window.Load();
        window.show();
        QCoreApplication::processEvents();
        state.SetIterationTime(static_cast<double>(t.nsecsElapsed()) / 1e9);
        rows = window.ScheduleList()->topLevelItemCount();
    }
    state.counters["rows"] = rows;
    if (rows != kSchedules)
        state.SkipWithError("the list does not hold every stored schedule");
}
BENCHMARK(BM_WindowShowsList)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

// The program itself, started as a user starts it, measured after three idle seconds.
void BM_IdleProgramResidentMemory(benchmark::State &state)
{
    double mb = 0;
    for (auto _ : state) {
        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("TOLVANE_HOME"), g_home);
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        program.setProcessEnvironment(env);
        program.start(QCoreApplication::applicationDirPath() + QStringLiteral("/tolvane"), {});
        if (!program.waitForStarted(10000)) {
            state.SkipWithError("tolvane did not start");
            return;
        }
        Wait(3000);
        mb = ResidentMB(program.processId());
        program.terminate();
        program.waitForFinished(10000);
    }
    state.counters["rss_MB"] = mb;
}
BENCHMARK(BM_IdleProgramResidentMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir home;
    g_home = home.path();
    if (!WriteSchedules(g_home)) {
        std::printf("bench_window_startup: skipped: the schedule file cannot be written here yet\n");
        return 0;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
