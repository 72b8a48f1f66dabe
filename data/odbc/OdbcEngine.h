#pragma once

#include "Engine.h"

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
    ConnectionParams m_params;
    QString m_connectionName;
};

} // namespace zeb
