#pragma once

#include "data/ProcedureCall.h"
#include "data/tsql/TsqlColumnTypes.h"

#include <QString>
#include <functional>
#include <optional>

namespace zeb {

enum class SqlDialect
{
    Sqlite,
    Postgres,
};

enum class DateOrder
{
    Mdy,
    Dmy,
    Ymd,
};

// The client's statement translated for one engine.
struct RewrittenStatement
{
    enum class Kind
    {
        Sql,       // send `sql` to the engine
        Procedure, // run `call` through Engine::callProcedure
        Nothing,   // a session setting the rewriter itself keeps; nothing to send
    };
    Kind kind = Kind::Sql;
    QString sql;
    ProcedureCall call;
};

// Translates the client's T-SQL into SQLite or PostgreSQL on a token stream. A statement outside the
// known subset is passed on unchanged so that the engine reports its own error.
// One rewriter lives per open connection: it keeps the session's date order (SET DATEFORMAT) and the
// column types, read from `columnTypes` when a statement with a literal first needs them.
class TsqlRewriter
{
public:
    using ColumnTypesSource = std::function<TsqlColumnTypes()>;

    explicit TsqlRewriter(SqlDialect dialect, ColumnTypesSource columnTypes = {});

    RewrittenStatement rewrite(const QString& tsql);

    SqlDialect dialect() const { return m_dialect; }
    DateOrder dateOrder() const { return m_dateOrder; }

private:
    const TsqlColumnTypes& columnTypes();

    SqlDialect m_dialect;
    DateOrder m_dateOrder = DateOrder::Mdy;
    ColumnTypesSource m_columnTypesSource;
    std::optional<TsqlColumnTypes> m_columnTypes;
};

} // namespace zeb
