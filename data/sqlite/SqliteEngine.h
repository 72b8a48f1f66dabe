#pragma once

#include "Engine.h"

struct sqlite3;

namespace zeb {

// The embedded engine: one SQLite file, opened through the SQLite C API.
class SqliteEngine : public Engine
{
public:
    explicit SqliteEngine(QString filePath);
    ~SqliteEngine() override;

    EngineKind kind() const override { return EngineKind::Sqlite; }
    void open() override;
    void close() override;
    bool isOpen() const override { return m_db != nullptr; }

    StatementResult run(const QString& sql, const QVariantList& params = {}) override;
    void runScript(const QString& script) override;
    StatementResult callProcedure(const ProcedureCall& call) override;

    void beginTransaction() override;
    void commit() override;
    void rollback() override;

    const QString& filePath() const { return m_filePath; }

private:
    QString m_filePath;
    sqlite3* m_db = nullptr;
};

} // namespace zeb
