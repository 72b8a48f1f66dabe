#include "data/Connection.h"
#include "bench/RawEngines.h"
#include "report/ReportHtml.h"
#include "bench/ScheduleLines.h"
#include "bench/Seconds.h"

#include <benchmark/benchmark.h>

using namespace zeb;

namespace {

constexpr int lineCount = 10000;
// After every entry order of installWithLines: the report holds every line.
const QDate reportDay(2030, 1, 1);

// The report of the whole schedule, read and written as an HTML page, against the raw engine reading the
// same lines; the read alone is given too.
void reportSchedule(benchmark::State& state, EngineKind engine)
{
    const std::unique_ptr<TestInstallation> installation = installWithLines(engine, lineCount);
    const std::unique_ptr<Connection> connection = installation->signedInConnection();
    const std::unique_ptr<RawEngine> raw = RawEngine::open(*installation);
    // The engine's own caches are warm for both sides alike.
    benchmark::DoNotOptimize(raw->read());
    benchmark::DoNotOptimize(reportHtml(loadScheduleReport(*connection, reportDay)).size());

    double rawSeconds = 0;
    double loadSeconds = 0;
    double reportSeconds = 0;
    int reported = 0;
    for (auto _ : state) {
        rawSeconds += secondsOf([&] { benchmark::DoNotOptimize(raw->read()); });
        ScheduleReport report;
        const double load = secondsOf([&] { report = loadScheduleReport(*connection, reportDay); });
        const double write = secondsOf([&] { benchmark::DoNotOptimize(reportHtml(report).size()); });
        reported = report.lineCount;
        loadSeconds += load;
        reportSeconds += load + write;
        state.SetIterationTime(load + write);
    }
    if (reported != lineCount)
        state.SkipWithError("the report did not hold every line");
    state.counters["ratio"] = reportSeconds / rawSeconds;
    state.counters["load_ratio"] = loadSeconds / rawSeconds;
}

void BM_ReportSqlite(benchmark::State& state)
{
    reportSchedule(state, EngineKind::Sqlite);
}

void BM_ReportPostgres(benchmark::State& state)
{
    if (postgresAvailable(state))
        reportSchedule(state, EngineKind::Postgres);
}

} // namespace

BENCHMARK(BM_ReportSqlite)->Iterations(20)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReportPostgres)->Iterations(20)->UseManualTime()->Unit(benchmark::kMillisecond);
