#include "DataModule.h"
#include "ScheduleLines.h"
#include "TestPgServer.h"
#include "tsql/TsqlRewriter.h"

#include <QElapsedTimer>
#include <benchmark/benchmark.h>
#include <libpq-fe.h>
#include <sqlite3.h>

using namespace zeb;

namespace {

constexpr int lineCount = 10000;

QString engineStatement(SqlDialect dialect)
{
    TsqlRewriter rewriter(dialect);
    return rewriter.rewrite(divisionStatement()).sql;
}

// What the engine's own API does for the same result: step it and read every column.
class RawSqlite
{
public:
    explicit RawSqlite(const QString& file)
    {
        sqlite3_open_v2(file.toUtf8().constData(), &m_db, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX,
                        nullptr);
        m_sql = engineStatement(SqlDialect::Sqlite).toUtf8();
    }
    ~RawSqlite() { sqlite3_close_v2(m_db); }

    qint64 read()
    {
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v2(m_db, m_sql.constData(), int(m_sql.size()), &statement, nullptr);
        qint64 sum = 0;
        const int columns = sqlite3_column_count(statement);
        while (sqlite3_step(statement) == SQLITE_ROW) {
            for (int c = 0; c < columns; ++c) {
                switch (sqlite3_column_type(statement, c)) {
                case SQLITE_INTEGER:
                    sum += sqlite3_column_int64(statement, c);
                    break;
                case SQLITE_FLOAT:
                    sum += qint64(sqlite3_column_double(statement, c));
                    break;
                case SQLITE_TEXT:
                    sum += sqlite3_column_bytes(statement, c) + *sqlite3_column_text(statement, c);
                    break;
                default:
                    break;
                }
            }
        }
        sqlite3_finalize(statement);
        return sum;
    }

private:
    sqlite3* m_db = nullptr;
    QByteArray m_sql;
};

class RawPostgres
{
public:
    RawPostgres(const TestInstallation& installation)
    {
        const TestPgServer server = TestPgServer::fromEnvironment();
        const ServerAccount account = installation.workAccount();
        const QByteArray info =
            QStringLiteral("host=%1 port=%2 dbname=%3 user=%4 password=%5 options='-c search_path=dbo'")
                .arg(server.host)
                .arg(server.port)
                .arg(installation.database(), account.user, account.password)
                .toUtf8();
        m_conn = PQconnectdb(info.constData());
        m_sql = engineStatement(SqlDialect::Postgres).toUtf8();
    }
    ~RawPostgres() { PQfinish(m_conn); }

    qint64 read()
    {
        PGresult* result = PQexec(m_conn, m_sql.constData());
        qint64 sum = 0;
        const int rows = PQntuples(result);
        const int columns = PQnfields(result);
        for (int r = 0; r < rows; ++r) {
            for (int c = 0; c < columns; ++c) {
                if (!PQgetisnull(result, r, c))
                    sum += PQgetlength(result, r, c) + *PQgetvalue(result, r, c);
            }
        }
        PQclear(result);
        return sum;
    }

private:
    PGconn* m_conn = nullptr;
    QByteArray m_sql;
};

template <typename Raw> void openSchedule(benchmark::State& state, TestInstallation& installation, Raw& raw)
{
    TDM_shtat module;
    module.ADO_Shtat.setDataDirectory(installation.dataDirectory());
    module.ADO_Shtat.setConnectionString(installation.signedInConnection()->connectionString());
    module.OpenDataSets();
    Dataset& lines = module.ADOQ_Shtat_rasp;
    lines.setSql(divisionStatement());

    double rawSeconds = 0;
    double datasetSeconds = 0;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        benchmark::DoNotOptimize(raw.read());
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
    RawSqlite raw(installation->dataDirectory() + QStringLiteral("/") +
                  installation->settings().dataSource.mid(int(sizeof("sqlite:")) - 1));
    openSchedule(state, *installation, raw);
}

void BM_OpenSchedulePostgres(benchmark::State& state)
{
    if (qEnvironmentVariableIsEmpty("ZEB_TEST_PG_HOST")) {
        state.SkipWithError("run under scripts/with-test-postgres.sh");
        return;
    }
    static const std::unique_ptr<TestInstallation> installation =
        installWithLines(EngineKind::Postgres, lineCount);
    RawPostgres raw(*installation);
    openSchedule(state, *installation, raw);
}

} // namespace

BENCHMARK(BM_OpenScheduleSqlite)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_OpenSchedulePostgres)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);
