#include "bench/Seconds.h"
#include "report/ReportFile.h"
#include "tests/report/SampleReport.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace zeb;

namespace {

constexpr int lineCount = 16000;

// The spreadsheet of 16,000 lines against the HTML page of the same report, both written to files in the same
// run from a report held in memory; the argument is the lines of a unit.
void BM_ReportXlsx(benchmark::State& state)
{
    const int linesPerUnit = int(state.range(0));
    const ScheduleReport report = generatedReport(lineCount, linesPerUnit);
    QTemporaryDir folder;
    const QString html = folder.filePath(QStringLiteral("report.html"));
    const QString xlsx = folder.filePath(QStringLiteral("report.xlsx"));
    writeReport(report, html);
    writeReport(report, xlsx);

    double htmlSeconds = 0;
    double xlsxSeconds = 0;
    for (auto _ : state) {
        htmlSeconds += secondsOf([&] { writeReport(report, html); });
        const double seconds = secondsOf([&] { writeReport(report, xlsx); });
        xlsxSeconds += seconds;
        state.SetIterationTime(seconds);
    }
    // Goal: at most 5.
    state.counters["ratio_to_html"] = xlsxSeconds / htmlSeconds;
    state.counters["lines"] = report.lineCount;
}

} // namespace

BENCHMARK(BM_ReportXlsx)
    ->Arg(10)
    ->Arg(800)
    ->Arg(5000)
    ->Iterations(10)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
