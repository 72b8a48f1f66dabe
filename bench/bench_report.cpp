#include "bench/ProcessMemory.h"
#include "bench/RawEngines.h"
#include "bench/ScheduleLines.h"
#include "bench/Seconds.h"
#include "data/Connection.h"
#include "report/ReportFile.h"
#include "report/ReportStatements.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace zeb;

namespace {

constexpr int lineCount = 10000;
// After every entry order of installWithLines: the report holds every line.
const QDate reportDay(2030, 1, 1);

// What the officer gets, the lines read and the file written, against the raw engine reading the rows of
// the report's own statement; PDF and xlsx in the same run, with the PDF's memory above the lines read.
void reportSchedule(benchmark::State& state, EngineKind engine)
{
    const std::unique_ptr<TestInstallation> installation = installWithLines(engine, lineCount);
    const std::unique_ptr<Connection> connection = installation->signedInConnection();
    const std::unique_ptr<RawEngine> raw = RawEngine::open(*installation);
    const QString statement = reportstatements::lines();
    const QTemporaryDir folder;
    const QStringList extensions = {QStringLiteral("html"), QStringLiteral("pdf"), QStringLiteral("xlsx")};

    double rawSeconds = 0;
    QList<double> fileSeconds(extensions.size(), 0.0);
    qint64 pdfPeak = 0;
    int reported = 0;
    for (auto _ : state) {
        rawSeconds += secondsOf([&] { benchmark::DoNotOptimize(raw->read(statement)); });
        double pdfSeconds = 0;
        for (qsizetype format = 0; format < extensions.size(); ++format) {
            const QString path = folder.filePath(QStringLiteral("report.") + extensions[format]);
            ScheduleReport report;
            const double load = secondsOf([&] { report = loadScheduleReport(*connection, reportDay); });
            const qint64 before = processMemory::residentBytes();
            processMemory::resetPeak();
            const double write = secondsOf([&] { writeReport(report, path); });
            if (extensions[format] == QLatin1String("pdf")) {
                pdfPeak = std::max(pdfPeak, processMemory::peakResidentBytes() - before);
                pdfSeconds = load + write;
            }
            fileSeconds[format] += load + write;
            reported = report.lineCount;
        }
        state.SetIterationTime(pdfSeconds);
    }
    if (reported != lineCount)
        state.SkipWithError("the report did not hold every line");
    for (qsizetype format = 0; format < extensions.size(); ++format)
        state.counters[(extensions[format] + QStringLiteral("_ratio_vs_raw")).toStdString()] =
            fileSeconds[format] / rawSeconds;
    state.counters["pdf_peak_bytes_per_line"] = double(pdfPeak) / lineCount;
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

BENCHMARK(BM_ReportSqlite)->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReportPostgres)->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);
