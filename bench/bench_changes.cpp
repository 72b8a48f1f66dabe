#include "bench/RawEngines.h"
#include "bench/ScheduleLines.h"
#include "bench/Seconds.h"
#include "data/Connection.h"
#include "data/Dialect.h"
#include "data/Engine.h"
#include "report/change/ChangesFile.h"
#include "report/change/ChangesReport.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace zeb;

namespace {

constexpr int lineCount = 16000;
const QDate periodFrom(2020, 1, 1);
const QDate periodTo(2020, 3, 31);

// Entries spread over eight years, so that some five hundred fall in the quarter; every twentieth line
// withdrawn in it, every fortieth changed in it and every fiftieth after it, each change kept in the history
// as made on its day.
void changeLines(TestInstallation& installation)
{
    const std::unique_ptr<Engine> admin = installation.adminEngine();
    const QString lines = admin->dialect().clientTable(QStringLiteral("Vakansii"));
    const QString history = admin->dialect().clientTable(QStringLiteral("Vakansii_history"));
    const auto dated = [&](const QString& update, const char* made) {
        admin->run(update.arg(lines));
        admin->run(QStringLiteral("UPDATE %1 SET changed = '%2' WHERE changed > '2025-01-01'")
                       .arg(history, QLatin1String(made)));
    };
    admin->beginTransaction();
    admin->run(QStringLiteral("UPDATE %1 SET changed = '2014-06-01 10:00:00'").arg(history));
    dated(QStringLiteral("UPDATE %1 SET id_deduce = 2, d_n_p = '7-к', d_d_p = '2020-02-14 00:00:00' "
                         "WHERE id_vakansiya % 20 = 0"),
          "2020-02-14 11:00:00");
    dated(QStringLiteral("UPDATE %1 SET q_units = q_units + 0.25 WHERE id_vakansiya % 40 = 1"),
          "2020-03-02 12:00:00");
    dated(QStringLiteral("UPDATE %1 SET q_units = q_units + 0.5 WHERE id_vakansiya % 50 = 2"),
          "2021-01-15 09:00:00");
    admin->commit();
}

// The report read and written as the officer gets it, against the raw engine reading the rows it needs: the
// lines as they stood at the start and at the end of the period, and the period's changes.
void reportChanges(benchmark::State& state, EngineKind engine)
{
    const std::unique_ptr<TestInstallation> installation = installWithLines(engine, lineCount);
    changeLines(*installation);
    const std::unique_ptr<Connection> connection = installation->signedInConnection();
    const std::unique_ptr<RawEngine> raw = RawEngine::open(*installation);
    const QStringList statements = changesReportStatements(periodFrom, periodTo);
    const QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("changes.html"));

    double rawSeconds = 0;
    double reportSeconds = 0;
    qint64 units = 0;
    for (auto _ : state) {
        rawSeconds += secondsOf([&] {
            for (const QString& statement : statements)
                benchmark::DoNotOptimize(raw->read(statement));
        });
        const double seconds = secondsOf([&] {
            const ChangesReport report = loadChangesReport(*connection, periodFrom, periodTo);
            writeChangesReport(report, path);
            units = report.total.end;
        });
        reportSeconds += seconds;
        state.SetIterationTime(seconds);
    }
    if (units == 0)
        state.SkipWithError("the report counted no line");
    state.counters["html_ratio_vs_raw"] = reportSeconds / rawSeconds;
}

void BM_ChangesSqlite(benchmark::State& state)
{
    reportChanges(state, EngineKind::Sqlite);
}

void BM_ChangesPostgres(benchmark::State& state)
{
    if (postgresAvailable(state))
        reportChanges(state, EngineKind::Postgres);
}

} // namespace

BENCHMARK(BM_ChangesSqlite)->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ChangesPostgres)->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);
