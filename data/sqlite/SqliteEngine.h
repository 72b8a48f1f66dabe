#pragma once

#include "Engine.h"
#include "SqliteStatementCache.h"

struct sqlite3;

namespace zeb {

// The embedded engine: one SQLite file, opened through the SQLite C API.
class SqliteEngine : public Engine
{
public:
    // Only the installation creates a new file; the client must find an existing one.
    explicit SqliteEngine(QString filePath, bool createIfMissing = false);
    ~SqliteEngine() override;
    SqliteEngine(const SqliteEngine&) = delete;
    SqliteEngine& operator=(const SqliteEngine&) = delete;

    EngineKind kind() const override { return EngineKind::Sqlite; }
    void open() override;
    void close() override;
    bool isOpen() const override { return m_db != nullptr; }

    StatementResult run(const QString& sql, const QVariantList& params = {}) override;
    qint64 runPrepared(const QString& sql, const QVariantList& params) override;
    void runScript(const QString& script) override;
    StatementResult callProcedure(const ProcedureCall& call) override;

    void beginTransaction() override;
    void commit() override;
    void rollback() override;

    const QString& filePath() const { return m_filePath; }

private:
    sqlite3* openDatabase() const;
    void checkOpen() const;
    void execute(const char* sql);

    QString m_filePath;
    bool m_createIfMissing = false;
    sqlite3* m_db = nullptr;
    SqliteStatementCache m_prepared;
};

} // namespace zeb
