#include "data/Connection.h"

#include "data/DatabaseError.h"
#include "data/Engine.h"
#include "data/SqlTrace.h"
#include "tsql/TsqlRewriter.h"

#include <QCoreApplication>

namespace zeb {

Connection::Connection() : m_dataDirectory(QCoreApplication::applicationDirPath() + QStringLiteral("/Data"))
{
}

Connection::~Connection()
{
    close();
}

void Connection::setConnectionString(const QString& text)
{
    if (text == m_connectionString)
        return;
    if (isOpen())
        throw DatabaseError(QStringLiteral("Операция недопустима, пока соединение открыто."));
    m_connectionString = text;
}

void Connection::open()
{
    if (isOpen())
        return;
    const ConnectionParams params = ConnectionParams::parse(m_connectionString);
    auto engine = Engine::create(params, m_dataDirectory);
    engine->open();
    m_engine = std::move(engine);
    // The rewriter needs the column types to tell a date column from a text column.
    const auto columnTypes = [this] { return readColumnTypes(*m_engine); };
    switch (m_engine->kind()) {
    case EngineKind::Sqlite:
        m_rewriter = std::make_unique<TsqlRewriter>(SqlDialect::Sqlite, columnTypes);
        break;
    case EngineKind::Postgres:
        m_rewriter = std::make_unique<TsqlRewriter>(SqlDialect::Postgres, columnTypes);
        break;
    case EngineKind::SqlServer:
        m_rewriter.reset();
        break;
    }
}

void Connection::close()
{
    m_rewriter.reset();
    if (m_engine)
        m_engine->close();
    m_engine.reset();
}

bool Connection::isOpen() const
{
    return m_engine && m_engine->isOpen();
}

StatementResult Connection::run(const QString& tsql)
{
    open();
    qCDebug(zebSql).noquote() << "sent:" << tsql;
    if (!m_rewriter)
        return m_engine->run(tsql);

    const RewrittenStatement statement = m_rewriter->rewrite(tsql);
    switch (statement.kind) {
    case RewrittenStatement::Kind::Sql:
        qCDebug(zebSql).noquote() << "engine:" << statement.sql;
        return m_engine->run(statement.sql);
    case RewrittenStatement::Kind::Procedure:
        qCDebug(zebSql).noquote() << "engine: procedure" << statement.call.name;
        return m_engine->callProcedure(statement.call);
    case RewrittenStatement::Kind::Nothing:
        break;
    }
    qCDebug(zebSql).noquote() << "engine: (session setting kept by the client)";
    return StatementResult{nullptr, 0};
}

std::unique_ptr<ResultCursor> Connection::query(const QString& tsql)
{
    StatementResult result = run(tsql);
    if (!result.rows)
        throw DatabaseError(QStringLiteral("Запрос не вернул набор записей."));
    return std::move(result.rows);
}

qint64 Connection::execute(const QString& tsql)
{
    return run(tsql).rowsAffected;
}

Engine& Connection::engine()
{
    open();
    return *m_engine;
}

EngineKind Connection::engineKind() const
{
    if (m_engine)
        return m_engine->kind();
    return ConnectionParams::parse(m_connectionString).engineKind();
}

} // namespace zeb
