#include "bench/RawEngines.h"
#include "bench/ScheduleLines.h"
#include "bench/Seconds.h"
#include "data/Connection.h"
#include "data/Dialect.h"
#include "data/Engine.h"
#include "report/ReportStatements.h"
#include "report/vacancy/VacancyFile.h"
#include "report/vacancy/VacancyReport.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace zeb;

namespace {

constexpr int lineCount = 16000;
const QDate reportDay(2030, 1, 1);

// One employee a line, at rates from a quarter to one and a half, every fifth of them gone by the day.
void placeEmployees(TestInstallation& installation)
{
    const std::unique_ptr<Engine> admin = installation.adminEngine();
    admin->beginTransaction();
    admin->run(QStringLiteral("INSERT INTO %1 (stavka) VALUES (0.25), (0.5), (0.75), (1), (1.5)")
                   .arg(admin->dialect().clientTable(QStringLiteral("Stavka"))));
    admin->run(
        QStringLiteral("INSERT INTO %1 (id_teacher, id_stavka, id_vakansiya, date_come, id_leave, "
                       "date_leave) SELECT id_vakansiya, 1 + id_vakansiya % 5, id_vakansiya, e_d_p, "
                       "CASE WHEN id_vakansiya % 5 = 0 THEN 1 ELSE 4 END, CASE WHEN id_vakansiya % 5 = 0 "
                       "THEN e_d_p END FROM %2")
            .arg(admin->dialect().clientTable(QStringLiteral("Working")),
                 admin->dialect().clientTable(QStringLiteral("Vakansii"))));
    admin->commit();
}

// The report read and written as the officer gets it, against the raw engine reading the rows it needs: the
// lines of the report's statement and every placement with its rate.
void reportVacancies(benchmark::State& state, EngineKind engine)
{
    const std::unique_ptr<TestInstallation> installation = installWithLines(engine, lineCount);
    placeEmployees(*installation);
    const std::unique_ptr<Connection> connection = installation->signedInConnection();
    const std::unique_ptr<RawEngine> raw = RawEngine::open(*installation);
    const QString placements =
        QStringLiteral("SELECT w.id_vakansiya, s.stavka, w.date_come, w.Date_leave, "
                       "w.id_leave FROM Working w JOIN Stavka s ON s.id_stavka = w.id_stavka");
    const QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("vacancies.html"));

    double rawSeconds = 0;
    double reportSeconds = 0;
    int reported = 0;
    for (auto _ : state) {
        rawSeconds += secondsOf([&] {
            benchmark::DoNotOptimize(raw->read(reportstatements::lines()));
            benchmark::DoNotOptimize(raw->read(placements));
        });
        const double seconds = secondsOf([&] {
            const VacancyReport report = loadVacancyReport(*connection, reportDay);
            writeVacancyReport(report, path);
            reported = report.lineCount;
        });
        reportSeconds += seconds;
        state.SetIterationTime(seconds);
    }
    if (reported != lineCount)
        state.SkipWithError("the report did not hold every line");
    state.counters["html_ratio_vs_raw"] = reportSeconds / rawSeconds;
}

void BM_VacanciesSqlite(benchmark::State& state)
{
    reportVacancies(state, EngineKind::Sqlite);
}

void BM_VacanciesPostgres(benchmark::State& state)
{
    if (postgresAvailable(state))
        reportVacancies(state, EngineKind::Postgres);
}

} // namespace

BENCHMARK(BM_VacanciesSqlite)->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_VacanciesPostgres)->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);
