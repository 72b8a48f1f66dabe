#pragma once

#include "data/Engine.h"

#include <memory>
#include <vector>

class QSqlDatabase;
class QSqlQuery;

namespace zeb {

// Microsoft SQL Server over ODBC with the FreeTDS driver. Statements pass unchanged.
class OdbcEngine : public Engine
{
public:
    explicit OdbcEngine(ConnectionParams params);
    ~OdbcEngine() override;

    EngineKind kind() const override { return EngineKind::SqlServer; }
    void open() override;
    void close() override;
    bool isOpen() const override;

    StatementResult run(const QString& sql, const QVariantList& params = {}) override;
    void runScript(const QString& script) override;

    void beginTransaction() override;
    void commit() override;
    void rollback() override;

private:
    QSqlDatabase openDatabase() const;
    // Queries handed out in cursors; closing the connection releases those still alive.
    void trackQuery(const std::shared_ptr<QSqlQuery>& query);
    void releaseQueries();

    ConnectionParams m_params;
    QString m_connectionName;
    std::vector<std::weak_ptr<QSqlQuery>> m_queries;
};

} // namespace zeb
