#pragma once

#include "data/DatabaseFault.h"
#include "data/Engine.h"
#include "data/pg/PgResult.h"

#include <QHash>

struct pg_conn;
struct pg_result;

namespace zeb {

class PgCursor;

// A PostgreSQL server reached through libpq. Data Source "pg:<host>[:<port>]", Initial Catalog the database.
// Rows come one at a time as the server sends them (libpq's single-row mode), never as a whole result.
class PgEngine : public Engine
{
public:
    explicit PgEngine(ConnectionParams params);
    ~PgEngine() override;

    EngineKind kind() const override { return EngineKind::Postgres; }
    void open() override;
    void close() override;
    bool isOpen() const override { return m_conn != nullptr; }

    StatementResult run(const QString& sql, const QVariantList& params = {}) override;
    qint64 runPrepared(const QString& sql, const QVariantList& params) override;
    void runScript(const QString& script) override;

    void beginTransaction() override;
    void commit() override;
    void rollback() override;

private:
    friend class PgCursor;

    pg_conn* openConnection() const;
    void checkOpen() const;
    // The name of the session's prepared statement for the text, prepared on first use.
    QByteArray preparedName(const QString& sql);
    // Rows or the count of changed rows; raises the server's error. Takes ownership of the result.
    // `sql` is the statement that ran, for telling what a refusal means.
    StatementResult takeResult(pg_result* result, const QString& sql = {});
    // The server's refusal, or the session's end; a lost session is closed.
    EngineFailure failure(const pg_result* result, const QString& sql = {});
    // The server as the settings name it: "host:port".
    QString serverName() const;
    // The cursor still reading rows takes them into memory, so the connection can run something else.
    void freeConnection();
    // The streaming cursor's next row; nothing once its rows are over. Raises the error that ended them.
    PgResult nextRow();
    // The streaming cursor gives up its rows.
    void dropRows();
    // Reads what is left of the current statement's results, so the connection can take the next one.
    void finishResults();

    ConnectionParams m_params;
    pg_conn* m_conn = nullptr;
    // By text; the names belong to the session and are forgotten with it.
    QHash<QString, QByteArray> m_prepared;
    int m_preparedCount = 0;
    // The cursor whose rows the connection is still sending.
    PgCursor* m_streaming = nullptr;
};

} // namespace zeb
