#pragma once

#include "data/Engine.h"
#include "data/sqlite/SqliteAuthorizer.h"
#include "data/sqlite/SqliteClientAccess.h"
#include "data/sqlite/SqliteStatementCache.h"

#include <optional>

struct sqlite3;

namespace zeb {

enum class SqliteRole
{
    // The installation and the administration tool: every table, and a missing file is created.
    Administrator,
    // The program: held to what the credentials of its connection string allow (SqliteClientAccess) and
    // kept away from the sign-in tables (SqliteAuthorizer); a missing file is an error.
    Client,
};

// The embedded engine: one SQLite file, opened through the SQLite C API.
class SqliteEngine : public Engine
{
public:
    SqliteEngine(QString filePath, SqliteRole role, const QString& userId = {}, const QString& password = {});
    ~SqliteEngine() override;
    SqliteEngine(const SqliteEngine&) = delete;
    SqliteEngine& operator=(const SqliteEngine&) = delete;

    // The program's connection: the file a Data Source "sqlite:<file>" names, relative to dataDirectory.
    static std::unique_ptr<Engine> forClient(const ConnectionParams& params, const QString& dataDirectory);

    EngineKind kind() const override { return EngineKind::Sqlite; }
    const Dialect& dialect() const override;
    std::unique_ptr<TsqlRewriter> translator(Engine& reader) override;
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
    // The plain message for a file that will not open; the engine's own text only when nothing plainer fits.
    QString openingFailure(int code, const QString& engineText) const;
    QString shownPath() const;
    void admitClient();
    // Before a statement of the client: raises DatabaseError, and closes, when the client may not send it.
    void checkStatement();
    void checkOpen() const;
    void execute(const char* sql);

    QString m_filePath;
    SqliteRole m_role;
    // What the log triggers record as the database login: the person's login, or the administrator.
    QByteArray m_sessionLogin;
    // True while a built-in procedure runs.
    bool m_inProcedure = false;
    // True from the access check made when a transaction took the write lock until it ends: no other
    // connection can change the file meanwhile, so the person's access cannot change either.
    bool m_checkedUnderWriteLock = false;
    sqlite3* m_db = nullptr;
    SqliteStatementCache m_prepared;
    SqliteAuthorizer m_authorizer;
    std::optional<SqliteClientAccess> m_access;
};

} // namespace zeb
