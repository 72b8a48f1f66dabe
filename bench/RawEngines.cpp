#include "bench/RawEngines.h"

#include "bench/ScheduleLines.h"
#include "data/tsql/TsqlRewriter.h"
#include "tests/support/TestInstallation.h"
#include "tests/support/TestPgServer.h"

#include <libpq-fe.h>
#include <sqlite3.h>
#include <stdexcept>

using namespace zeb;

namespace {

// Both engines fold these unquoted names to their own tables and columns.
constexpr char lineKeysSql[] = "SELECT id_vakansiya FROM Vakansii WHERE id_otdel_1 = 1 ORDER BY id_vakansiya";
constexpr char clearNumbersSql[] = "UPDATE Vakansii SET Num = NULL WHERE id_otdel_1 = 1";

QByteArray engineStatement(TsqlTarget target, const QString& statement = divisionStatement())
{
    TsqlRewriter rewriter(target);
    return rewriter.rewrite(statement).sql.toUtf8();
}

[[noreturn]] void fail(const char* what, const char* message)
{
    throw std::runtime_error(std::string(what) + ": " + message);
}

class RawSqlite : public RawEngine
{
public:
    explicit RawSqlite(const TestInstallation& installation)
    {
        const QString file = installation.dataDirectory() + QLatin1Char('/') +
                             installation.settings().dataSource.mid(int(sizeof("sqlite:")) - 1);
        if (sqlite3_open_v2(file.toUtf8().constData(), &m_db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX,
                            nullptr) != SQLITE_OK)
            fail("sqlite3_open_v2", sqlite3_errmsg(m_db));
        // The client's connection checks foreign keys; the same updates must pay for them here too.
        exec("PRAGMA foreign_keys=ON");
        m_read = engineStatement(TsqlTarget::Sqlite);
    }
    ~RawSqlite() override { sqlite3_close_v2(m_db); }

    qint64 read() override { return readRows(m_read); }
    qint64 read(const QString& statement) override
    {
        return readRows(engineStatement(TsqlTarget::Sqlite, statement));
    }

    QList<qint64> lineKeys() override
    {
        sqlite3_stmt* statement = prepare(lineKeysSql);
        QList<qint64> keys;
        while (sqlite3_step(statement) == SQLITE_ROW)
            keys.append(sqlite3_column_int64(statement, 0));
        sqlite3_finalize(statement);
        return keys;
    }

    void numberLines(const QList<qint64>& keys) override
    {
        sqlite3_stmt* statement = prepare("UPDATE Vakansii SET Num = ?1 WHERE id_vakansiya = ?2");
        exec("BEGIN");
        for (qsizetype i = 0; i < keys.size(); ++i) {
            sqlite3_bind_int64(statement, 1, i + 1);
            sqlite3_bind_int64(statement, 2, keys[i]);
            if (sqlite3_step(statement) != SQLITE_DONE)
                fail("UPDATE", sqlite3_errmsg(m_db));
            sqlite3_reset(statement);
        }
        exec("COMMIT");
        sqlite3_finalize(statement);
    }

    void clearNumbers() override { exec(clearNumbersSql); }

private:
    qint64 readRows(const QByteArray& sql)
    {
        sqlite3_stmt* statement = prepare(sql.constData());
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

    sqlite3_stmt* prepare(const char* sql)
    {
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(m_db, sql, -1, &statement, nullptr) != SQLITE_OK)
            fail(sql, sqlite3_errmsg(m_db));
        return statement;
    }

    void exec(const char* sql)
    {
        if (sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
            fail(sql, sqlite3_errmsg(m_db));
    }

    sqlite3* m_db = nullptr;
    QByteArray m_read;
};

class RawPostgres : public RawEngine
{
public:
    explicit RawPostgres(const TestInstallation& installation)
    {
        const TestPgServer server = TestPgServer::fromEnvironment();
        const ServerAccount account = installation.workAccount();
        // Over TLS, as the client connects.
        const QByteArray info =
            QStringLiteral("host=%1 port=%2 dbname=%3 user=%4 password=%5 sslmode=require "
                           "options='-c search_path=dbo'")
                .arg(server.host)
                .arg(server.port)
                .arg(installation.database(), account.user, account.password)
                .toUtf8();
        m_conn = PQconnectdb(info.constData());
        if (PQstatus(m_conn) != CONNECTION_OK)
            fail("PQconnectdb", PQerrorMessage(m_conn));
        m_read = engineStatement(TsqlTarget::Postgres);
        check(PQprepare(m_conn, "number", "UPDATE Vakansii SET Num = $1 WHERE id_vakansiya = $2", 2, nullptr),
              PGRES_COMMAND_OK);
    }
    ~RawPostgres() override { PQfinish(m_conn); }

    qint64 read() override { return readRows(m_read); }
    qint64 read(const QString& statement) override
    {
        return readRows(engineStatement(TsqlTarget::Postgres, statement));
    }

    QList<qint64> lineKeys() override
    {
        PGresult* result = PQexec(m_conn, lineKeysSql);
        if (PQresultStatus(result) != PGRES_TUPLES_OK)
            fail(lineKeysSql, PQerrorMessage(m_conn));
        QList<qint64> keys;
        for (int r = 0; r < PQntuples(result); ++r)
            keys.append(QByteArray(PQgetvalue(result, r, 0)).toLongLong());
        PQclear(result);
        return keys;
    }

    void numberLines(const QList<qint64>& keys) override
    {
        check(PQexec(m_conn, "BEGIN"), PGRES_COMMAND_OK);
        for (qsizetype i = 0; i < keys.size(); ++i) {
            const QByteArray number = QByteArray::number(i + 1);
            const QByteArray key = QByteArray::number(keys[i]);
            const char* values[] = {number.constData(), key.constData()};
            check(PQexecPrepared(m_conn, "number", 2, values, nullptr, nullptr, 0), PGRES_COMMAND_OK);
        }
        check(PQexec(m_conn, "COMMIT"), PGRES_COMMAND_OK);
    }

    void clearNumbers() override { check(PQexec(m_conn, clearNumbersSql), PGRES_COMMAND_OK); }

private:
    qint64 readRows(const QByteArray& sql)
    {
        PGresult* result = PQexec(m_conn, sql.constData());
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

    void check(PGresult* result, ExecStatusType expected)
    {
        const bool ok = PQresultStatus(result) == expected;
        PQclear(result);
        if (!ok)
            fail("libpq", PQerrorMessage(m_conn));
    }

    PGconn* m_conn = nullptr;
    QByteArray m_read;
};

} // namespace

std::unique_ptr<RawEngine> RawEngine::open(const TestInstallation& installation)
{
    if (installation.engine() == EngineKind::Postgres)
        return std::make_unique<RawPostgres>(installation);
    return std::make_unique<RawSqlite>(installation);
}
