#pragma once

#include "Engine.h"

#include <QHash>

struct pg_conn;
struct pg_result;

namespace zeb {

// A PostgreSQL server reached through libpq. Data Source "pg:<host>[:<port>]", Initial Catalog the database.
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
    pg_conn* openConnection() const;
    void checkOpen() const;
    // The name of the session's prepared statement for the text, prepared on first use.
    QByteArray preparedName(const QString& sql);
    // Rows or the count of changed rows; raises the server's error. Takes ownership of the result.
    StatementResult takeResult(pg_result* result);
    QString failureMessage(const pg_result* result);

    ConnectionParams m_params;
    pg_conn* m_conn = nullptr;
    // By text; the names belong to the session and are forgotten with it.
    QHash<QString, QByteArray> m_prepared;
    int m_preparedCount = 0;
};

} // namespace zeb
