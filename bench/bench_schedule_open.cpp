#include "bench/ProcessMemory.h"
#include "bench/RawEngines.h"
#include "bench/ScheduleLines.h"
#include "bench/Seconds.h"
#include "data/module/DataModule.h"

#include <benchmark/benchmark.h>

using namespace zeb;

namespace {

// A user opens a unit once in a process: the first open is timed and measured with the engine's caches as
// cold for the client as for the raw reader, each on its own connection (bench/run.sh runs each case in
// fresh processes), each side after the setup's freed memory went back to the system, as in a fresh
// process. The resident growth of that open holds the store and the engine's page cache it fills.
void openSchedule(benchmark::State& state, EngineKind engine)
{
    const int lineCount = int(state.range(0));
    const std::unique_ptr<TestInstallation> installation = installWithLines(engine, lineCount);
    DataModule module;
    openDataModule(module, *installation);
    Dataset& lines = module.scheduleLines;
    const std::unique_ptr<RawEngine> raw = RawEngine::open(*installation);

    processMemory::returnFreed();
    const double rawFirst = secondsOf([&] { benchmark::DoNotOptimize(raw->read()); });
    processMemory::returnFreed();
    const qint64 beforeFirst = processMemory::residentBytes();
    const double datasetFirst = secondsOf([&] { lines.open(); });
    const qint64 firstGrowth = processMemory::residentBytes() - beforeFirst;

    double rawSeconds = 0;
    double datasetSeconds = 0;
    for (auto _ : state) {
        rawSeconds += secondsOf([&] { benchmark::DoNotOptimize(raw->read()); });
        const double seconds = secondsOf([&] {
            lines.close();
            lines.open();
        });
        datasetSeconds += seconds;
        state.SetIterationTime(seconds);
    }
    if (lines.recordCount() != lineCount)
        state.SkipWithError("the unit did not load every line");

    lines.close();
    processMemory::returnFreed();
    const qint64 before = processMemory::residentBytes();
    processMemory::resetPeak();
    lines.open();
    const qint64 peak = processMemory::peakResidentBytes() - before;

    state.counters["first_ratio"] = datasetFirst / rawFirst;
    state.counters["repeated_ratio"] = datasetSeconds / rawSeconds;
    state.counters["peak_bytes_per_line"] = double(peak) / lineCount;
    state.counters["first_resident_growth_per_line"] = double(firstGrowth) / lineCount;
    state.counters["store_bytes_per_line"] = double(lines.memoryUsage()) / lineCount;
}

void BM_OpenSqlite(benchmark::State& state)
{
    openSchedule(state, EngineKind::Sqlite);
}

void BM_OpenPostgres(benchmark::State& state)
{
    if (postgresAvailable(state))
        openSchedule(state, EngineKind::Postgres);
}

} // namespace

// A fixed number of iterations, so that each case sets up, and opens for the first time, only once.
BENCHMARK(BM_OpenSqlite)
    ->Arg(10000)
    ->Arg(100000)
    ->Iterations(10)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenPostgres)
    ->Arg(10000)
    ->Arg(100000)
    ->Iterations(10)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
