#include "DataModule.h"
#include "RawEngines.h"
#include "ScheduleLines.h"

#include <QElapsedTimer>
#include <benchmark/benchmark.h>

using namespace zeb;

namespace {

constexpr int lineCount = 10000;

void openSchedule(benchmark::State& state, TestInstallation& installation)
{
    TDM_shtat module;
    openDataModule(module, installation);
    Dataset& lines = module.ADOQ_Shtat_rasp;
    const std::unique_ptr<RawEngine> raw = RawEngine::open(installation);

    double rawSeconds = 0;
    double datasetSeconds = 0;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        benchmark::DoNotOptimize(raw->read());
        rawSeconds += double(timer.nsecsElapsed()) / 1e9;

        timer.restart();
        lines.close();
        lines.open();
        const double seconds = double(timer.nsecsElapsed()) / 1e9;
        datasetSeconds += seconds;
        state.SetIterationTime(seconds);
    }
    if (lines.recordCount() != lineCount)
        state.SkipWithError("the unit did not load every line");
    state.counters["ratio_vs_raw"] = datasetSeconds / rawSeconds;
    state.counters["bytes_per_line"] = double(lines.memoryUsage()) / lines.recordCount();
}

void BM_OpenScheduleSqlite(benchmark::State& state)
{
    static const std::unique_ptr<TestInstallation> installation =
        installWithLines(EngineKind::Sqlite, lineCount);
    openSchedule(state, *installation);
}

void BM_OpenSchedulePostgres(benchmark::State& state)
{
    if (!postgresAvailable(state))
        return;
    static const std::unique_ptr<TestInstallation> installation =
        installWithLines(EngineKind::Postgres, lineCount);
    openSchedule(state, *installation);
}

} // namespace

BENCHMARK(BM_OpenScheduleSqlite)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_OpenSchedulePostgres)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);
