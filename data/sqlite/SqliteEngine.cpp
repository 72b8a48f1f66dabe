#include "data/sqlite/SqliteEngine.h"

#include "data/DatabaseError.h"
#include "data/sqlite/SqliteBinding.h"
#include "data/sqlite/SqliteColumnTypes.h"
#include "data/sqlite/SqliteColumns.h"
#include "data/sqlite/SqliteCursor.h"
#include "data/sqlite/SqliteDialect.h"
#include "data/sqlite/SqliteFailure.h"
#include "data/sqlite/SqliteProcedures.h"
#include "data/tsql/TsqlRewriter.h"

#include <QDir>
#include <QFileInfo>
#include <sqlite3.h>

namespace zeb {

namespace {

constexpr int BusyTimeoutMs = 5000;

const QString signInOnlyMessage = QStringLiteral(
    "Соединение открыто учётной записью входа: до входа пользователя доступна только процедура GET_USER.");

// Only the client's connections have an authorizer, so a refusal there is always ours. SQLite reports some
// refusals under another code: that of a function, and one met by a virtual table's own statement.
DatabaseError engineError(sqlite3* db, const SqliteAuthorizer& authorizer, QStringView sql = {})
{
    if (!authorizer.refusal().isEmpty())
        return DatabaseError(authorizer.refusal());
    return DatabaseError(sqliteFailure(db, sql));
}

// True when nothing but blanks and semicolons follows the first statement.
bool onlySeparators(const char* tail)
{
    for (; *tail; ++tail) {
        if (*tail != ';' && *tail != ' ' && *tail != '\t' && *tail != '\r' && *tail != '\n')
            return false;
    }
    return true;
}

// Marks the run of a built-in procedure, whose own statements are prepared under trust.
struct ProcedureScope
{
    explicit ProcedureScope(bool& flag) : flag(flag), before(flag) { flag = true; }
    ~ProcedureScope() { flag = before; }
    ProcedureScope(const ProcedureScope&) = delete;
    ProcedureScope& operator=(const ProcedureScope&) = delete;
    bool& flag;
    bool before;
};

// zeb_session_login(): the login the connection was opened with, for the log triggers.
void sessionLogin(sqlite3_context* context, int, sqlite3_value**)
{
    const auto* login = static_cast<const QByteArray*>(sqlite3_user_data(context));
    sqlite3_result_text(context, login->constData(), int(login->size()), SQLITE_TRANSIENT);
}

void unknownLogin(sqlite3_context* context, int, sqlite3_value**)
{
    sqlite3_result_null(context);
}

// Every connection the process opens gets zeb_session_login() giving NULL, which the engine's own
// connections then replace with their login: a connection opened past the engine (a benchmark's raw one)
// can still write the tables whose triggers record the login, and records none.
int addUnknownLogin(sqlite3* db, const char**, const sqlite3_api_routines*)
{
    return sqlite3_create_function_v2(db, "zeb_session_login", 0, SQLITE_UTF8 | SQLITE_INNOCUOUS, nullptr,
                                      &unknownLogin, nullptr, nullptr, nullptr);
}

// What SQLite advises for a connection that runs SQL from a source it cannot trust: nothing in the file
// may run code the client could not run itself, no extension, no full-text tokenizer pointers, no other
// file, and bounds on what one statement may ask.
void restrictClient(sqlite3* db)
{
    sqlite3_db_config(db, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
    sqlite3_db_config(db, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
    sqlite3_db_config(db, SQLITE_DBCONFIG_ENABLE_FTS3_TOKENIZER, 0, nullptr);
    sqlite3_db_config(db, SQLITE_DBCONFIG_ENABLE_LOAD_EXTENSION, 0, nullptr);
    sqlite3_limit(db, SQLITE_LIMIT_ATTACHED, 0);
    sqlite3_limit(db, SQLITE_LIMIT_TRIGGER_DEPTH, 10);
    sqlite3_limit(db, SQLITE_LIMIT_LENGTH, 10'000'000);
    sqlite3_limit(db, SQLITE_LIMIT_SQL_LENGTH, 1'000'000);
    sqlite3_limit(db, SQLITE_LIMIT_EXPR_DEPTH, 200);
    sqlite3_limit(db, SQLITE_LIMIT_LIKE_PATTERN_LENGTH, 1000);
    sqlite3_limit(db, SQLITE_LIMIT_VDBE_OP, 1'000'000);
}

// A finalizer for statements that never reach a cursor.
struct StatementGuard
{
    sqlite3_stmt* statement = nullptr;
    ~StatementGuard() { sqlite3_finalize(statement); }
    sqlite3_stmt* release() { return std::exchange(statement, nullptr); }
};

// A kept statement is reset after every use: a statement left stepped holds its read of the file open.
struct StatementReset
{
    sqlite3_stmt* statement;
    ~StatementReset()
    {
        sqlite3_reset(statement);
        sqlite3_clear_bindings(statement);
    }
};

// Prepares the one statement of `sql` into `guard`, nothing for a text without a statement; raises
// DatabaseError when a second statement follows. Trust covers the preparing of the statement only, never
// what SQLite prepares for a virtual table while the statement runs.
void prepareOne(sqlite3* db, SqliteAuthorizer& authorizer, const QString& sql, unsigned int flags,
                bool trusted, StatementGuard& guard)
{
    authorizer.clearRefusal();
    const QByteArray utf8 = sql.toUtf8();
    const char* tail = nullptr;
    int rc = SQLITE_OK;
    if (trusted) {
        const SqliteAuthorizer::Trust trust(authorizer);
        rc = sqlite3_prepare_v3(db, utf8.constData(), int(utf8.size()), flags, &guard.statement, &tail);
    } else {
        rc = sqlite3_prepare_v3(db, utf8.constData(), int(utf8.size()), flags, &guard.statement, &tail);
    }
    if (rc != SQLITE_OK)
        throw engineError(db, authorizer);
    if (onlySeparators(tail))
        return;
    // What follows may still be only a comment; anything that prepares is a second statement.
    StatementGuard rest;
    if (sqlite3_prepare_v2(db, tail, -1, &rest.statement, nullptr) != SQLITE_OK)
        throw engineError(db, authorizer);
    if (rest.statement)
        throw DatabaseError(QStringLiteral("Передано несколько операторов SQL, ожидался один: %1").arg(sql));
}

// Runs a statement without result columns to its end; returns the rows it changed.
qint64 stepToEnd(sqlite3* db, SqliteAuthorizer& authorizer, sqlite3_stmt* statement)
{
    authorizer.clearRefusal();
    // sqlite3_changes keeps the count of the last data change, so a statement that changed nothing
    // (DDL, a pragma) is told apart by the running total.
    const qint64 totalBefore = sqlite3_total_changes64(db);
    int rc = sqlite3_step(statement);
    while (rc == SQLITE_ROW)
        rc = sqlite3_step(statement);
    if (rc != SQLITE_DONE)
        throw engineError(db, authorizer, QString::fromUtf8(sqlite3_sql(statement)));
    return sqlite3_total_changes64(db) == totalBefore ? 0 : sqlite3_changes64(db);
}

} // namespace

SqliteEngine::SqliteEngine(QString filePath, SqliteRole role, const QString& userId, const QString& password)
    : m_filePath(std::move(filePath)), m_role(role),
      m_sessionLogin(
          (role == SqliteRole::Client || !userId.isEmpty() ? userId : QStringLiteral("(администратор)"))
              .toUtf8())
{
    if (role == SqliteRole::Client)
        m_access.emplace(userId, password);
}

SqliteEngine::~SqliteEngine()
{
    close();
}

std::unique_ptr<Engine> SqliteEngine::forClient(const ConnectionParams& params, const QString& dataDirectory)
{
    const QString file = params.dataSource.mid(int(sizeof("sqlite:")) - 1);
    return std::make_unique<SqliteEngine>(QDir(dataDirectory).absoluteFilePath(file), SqliteRole::Client,
                                          params.userId, params.password);
}

const Dialect& SqliteEngine::dialect() const
{
    return SqliteDialect::instance();
}

// The translator needs the column types to tell a date column from a text column.
std::unique_ptr<TsqlRewriter> SqliteEngine::translator(Engine& reader)
{
    return std::make_unique<TsqlRewriter>(TsqlTarget::Sqlite,
                                          [&reader] { return readSqliteColumnTypes(reader); });
}

void SqliteEngine::open()
{
    if (m_db)
        return;
    m_db = openDatabase();
    if (!m_access)
        return;
    try {
        admitClient();
    } catch (...) {
        close();
        throw;
    }
}

sqlite3* SqliteEngine::openDatabase() const
{
    const bool administrator = m_role == SqliteRole::Administrator;
    sqlite3* db = nullptr;
    // One thread uses a connection, so SQLite's own per-call locking is only overhead for the cursors.
    const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX | (administrator ? SQLITE_OPEN_CREATE : 0);
    static const int unknownLoginAdded =
        sqlite3_auto_extension(reinterpret_cast<void (*)()>(&addUnknownLogin));
    Q_UNUSED(unknownLoginAdded);
    int rc = sqlite3_open_v2(m_filePath.toUtf8().constData(), &db, flags, nullptr);
    if (rc == SQLITE_OK) {
        sqlite3_busy_timeout(db, BusyTimeoutMs);
        // A mistyped "name" must be an error, not silently a text literal.
        sqlite3_db_config(db, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
        sqlite3_db_config(db, SQLITE_DBCONFIG_DQS_DDL, 0, nullptr);
        // A client's SQL may not write the schema table itself, nor bring code into the connection.
        if (!administrator)
            restrictClient(db);
        rc = sqlite3_create_function_v2(db, "zeb_session_login", 0, SQLITE_UTF8 | SQLITE_INNOCUOUS,
                                        const_cast<QByteArray*>(&m_sessionLogin), &sessionLogin, nullptr,
                                        nullptr, nullptr);
    }
    if (rc == SQLITE_OK) {
        // Reading the schema here makes a file that is not a database fail at open, not at first use. A
        // line that INSERT OR REPLACE deletes fires the history's delete trigger only with recursive
        // triggers.
        rc = sqlite3_exec(
            db, "PRAGMA foreign_keys=ON; PRAGMA recursive_triggers=ON; SELECT count(*) FROM sqlite_master;",
            nullptr, nullptr, nullptr);
    }
    if (rc != SQLITE_OK) {
        const int code = db ? sqlite3_errcode(db) : rc;
        const QString message =
            db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString::fromUtf8(sqlite3_errstr(rc));
        sqlite3_close_v2(db);
        throw DatabaseError(openingFailure(code, message));
    }
    return db;
}

QString SqliteEngine::shownPath() const
{
    return QDir::toNativeSeparators(QFileInfo(m_filePath).absoluteFilePath());
}

QString SqliteEngine::openingFailure(int code, const QString& engineText) const
{
    const QString shown = shownPath();
    if (!QFileInfo::exists(m_filePath))
        return QStringLiteral("Не удаётся открыть базу данных: файл «%1» не найден.").arg(shown);
    switch (code & 0xff) {
    case SQLITE_NOTADB:
        return QStringLiteral("Не удаётся открыть базу данных: файл «%1» не является базой данных.")
            .arg(shown);
    case SQLITE_CORRUPT:
        return QStringLiteral("Не удаётся открыть базу данных: файл «%1» повреждён.").arg(shown);
    case SQLITE_CANTOPEN:
    case SQLITE_PERM:
    case SQLITE_AUTH:
        return QStringLiteral("Не удаётся открыть базу данных: нет доступа к файлу «%1».").arg(shown);
    default:
        return QStringLiteral("Не удаётся открыть базу данных «%1»: %2").arg(shown, engineText);
    }
}

void SqliteEngine::admitClient()
{
    if (sqlite3_table_column_metadata(m_db, "main", "zeb_users", "session_digest", nullptr, nullptr, nullptr,
                                      nullptr, nullptr) != SQLITE_OK)
        throw DatabaseError(
            QStringLiteral("Не удаётся открыть базу данных: файл «%1» не является базой данных "
                           "программы или создан её прежней версией.")
                .arg(shownPath()));
    m_authorizer.install(m_db);
    const SqliteAuthorizer::Trust trust(m_authorizer);
    m_access->admit(m_db);
}

void SqliteEngine::close()
{
    m_checkedUnderWriteLock = false;
    m_prepared.clear();
    if (m_access)
        m_access->release();
    // close_v2 waits for cursors still alive to finalize their statements.
    sqlite3_close_v2(m_db);
    m_db = nullptr;
}

StatementResult SqliteEngine::run(const QString& sql, const QVariantList& params)
{
    checkStatement();
    StatementGuard guard;
    prepareOne(m_db, m_authorizer, sql, 0, m_inProcedure, guard);
    StatementResult result;
    if (!guard.statement) {
        result.rowsAffected = 0;
        return result;
    }
    sqlitebinding::bind(guard.statement, params);

    if (sqlite3_column_count(guard.statement) > 0) {
        ColumnList columns = sqlitecolumns::describe(guard.statement);
        result.rows = std::make_unique<SqliteCursor>(guard.release(), std::move(columns));
        return result;
    }
    result.rowsAffected = stepToEnd(m_db, m_authorizer, guard.statement);
    return result;
}

qint64 SqliteEngine::runPrepared(const QString& sql, const QVariantList& params)
{
    checkStatement();
    sqlite3_stmt* statement = m_prepared.find(sql);
    if (!statement) {
        StatementGuard guard;
        // A kept statement may be prepared again later, out of any procedure: it is never trusted.
        prepareOne(m_db, m_authorizer, sql, SQLITE_PREPARE_PERSISTENT, false, guard);
        if (!guard.statement)
            return 0;
        statement = guard.release();
        m_prepared.insert(sql, statement);
    }
    const StatementReset reset{statement};
    sqlitebinding::bind(statement, params);
    return stepToEnd(m_db, m_authorizer, statement);
}

void SqliteEngine::runScript(const QString& script)
{
    checkStatement();
    m_authorizer.clearRefusal();
    char* error = nullptr;
    if (sqlite3_exec(m_db, script.toUtf8().constData(), nullptr, nullptr, &error) != SQLITE_OK) {
        sqlite3_free(error);
        throw engineError(m_db, m_authorizer, script);
    }
}

StatementResult SqliteEngine::callProcedure(const ProcedureCall& call)
{
    const sqliteprocedures::Procedure procedure = sqliteprocedures::find(call.name);
    if (!procedure)
        throw DatabaseError(QStringLiteral("Could not find stored procedure '%1'.").arg(call.name));
    // GET_USER is all that the sign-in account may run.
    if (procedure == &sqliteprocedures::getUser && m_access && m_access->signInOnly())
        checkOpen();
    else
        checkStatement();

    const ProcedureScope scope(m_inProcedure);
    // A procedure is one unit of work; inside the caller's transaction it becomes a savepoint.
    const bool outermost = sqlite3_get_autocommit(m_db) != 0;
    execute(outermost ? "BEGIN IMMEDIATE" : "SAVEPOINT zeb_procedure");
    try {
        StatementResult result = procedure(*this, call.arguments);
        execute(outermost ? "COMMIT" : "RELEASE zeb_procedure");
        return result;
    } catch (...) {
        const char* undo = outermost ? "ROLLBACK" : "ROLLBACK TO zeb_procedure; RELEASE zeb_procedure";
        sqlite3_exec(m_db, undo, nullptr, nullptr, nullptr);
        throw;
    }
}

void SqliteEngine::beginTransaction()
{
    // Taking the write lock at once keeps two writers from deadlocking on a lock upgrade.
    execute("BEGIN IMMEDIATE");
    checkStatement();
    m_checkedUnderWriteLock = true;
}

void SqliteEngine::commit()
{
    m_checkedUnderWriteLock = false;
    execute("COMMIT");
}

void SqliteEngine::rollback()
{
    m_checkedUnderWriteLock = false;
    execute("ROLLBACK");
}

void SqliteEngine::checkStatement()
{
    checkOpen();
    if (!m_access || m_inProcedure)
        return;
    // A failed statement may have ended the transaction on its own.
    if (m_checkedUnderWriteLock && sqlite3_get_autocommit(m_db) == 0)
        return;
    m_checkedUnderWriteLock = false;
    if (m_access->signInOnly())
        throw DatabaseError(signInOnlyMessage);
    try {
        const SqliteAuthorizer::Trust trust(m_authorizer);
        m_access->check();
    } catch (const DatabaseError&) {
        // Opening again is refused as well, so the client stops here.
        close();
        throw;
    }
}

void SqliteEngine::checkOpen() const
{
    if (!m_db)
        throw DatabaseError(QStringLiteral("Соединение с базой данных закрыто."));
}

void SqliteEngine::execute(const char* sql)
{
    checkOpen();
    m_authorizer.clearRefusal();
    if (sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
        throw engineError(m_db, m_authorizer);
}

} // namespace zeb
