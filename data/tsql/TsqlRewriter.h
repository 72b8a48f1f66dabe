#pragma once

#include "data/ProcedureCall.h"
#include "data/tsql/TsqlColumnTypes.h"
#include "data/tsql/TsqlDateOrder.h"
#include "data/tsql/TsqlTarget.h"

#include <QString>
#include <functional>
#include <optional>

namespace zeb {

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

    explicit TsqlRewriter(TsqlTarget target, ColumnTypesSource columnTypes = {});

    RewrittenStatement rewrite(const QString& tsql);

    TsqlTarget target() const { return m_target; }
    DateOrder dateOrder() const { return m_dateOrder; }

private:
    const TsqlColumnTypes& columnTypes();

    TsqlTarget m_target;
    DateOrder m_dateOrder = DateOrder::Mdy;
    ColumnTypesSource m_columnTypesSource;
    std::optional<TsqlColumnTypes> m_columnTypes;
};

} // namespace zeb
