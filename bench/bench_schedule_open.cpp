#include "data/module/DataModule.h"
#include "bench/ProcessMemory.h"
#include "bench/RawEngines.h"
#include "bench/ScheduleLines.h"
#include "bench/Seconds.h"

#include <benchmark/benchmark.h>

using namespace zeb;

namespace {

template <typename Work> double secondsOf(Work&& work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return double(timer.nsecsElapsed()) / 1e9;
}

// A user opens a unit once, in a process whose allocator has given the last unit's memory back: run each
// case in a fresh process with MALLOC_TRIM_THRESHOLD_=0 (bench/run.sh does).
void openSchedule(benchmark::State& state, EngineKind engine)
{
    const int lineCount = int(state.range(0));
    const std::unique_ptr<TestInstallation> installation = installWithLines(engine, lineCount);
    DataModule module;
    openDataModule(module, *installation);
    Dataset& lines = module.scheduleLines;
    const std::unique_ptr<RawEngine> raw = RawEngine::open(*installation);
    // The engine's own caches are warm for both sides alike: each side's connection (SQLite keeps a page
    // cache for each) has read the lines once, the client's without a dataset.
    benchmark::DoNotOptimize(raw->read());
    for (const std::unique_ptr<ResultCursor> rows = module.connection.query(divisionStatement());
         rows->next();)
        benchmark::DoNotOptimize(rows->toInt64(0));
    processMemory::returnFreed();

    const double rawFirst = secondsOf([&] { benchmark::DoNotOptimize(raw->read()); });
    processMemory::returnFreed();
    const double datasetFirst = secondsOf([&] { lines.open(); });

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
    processMemory::returnFreed();
    const qint64 kept = processMemory::residentBytes() - before;

    state.counters["first_ratio"] = datasetFirst / rawFirst;
    state.counters["repeated_ratio"] = datasetSeconds / rawSeconds;
    state.counters["peak_bytes_per_line"] = double(peak) / lineCount;
    state.counters["kept_bytes_per_line"] = double(kept) / lineCount;
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
