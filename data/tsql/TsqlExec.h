#pragma once

#include "data/ProcedureCall.h"
#include "data/tsql/TsqlTokenizer.h"

#include <QList>
#include <QStringList>
#include <optional>

namespace zeb {

struct TsqlExecCall
{
    ProcedureCall call;
    QStringList postgresValues; // each value as a PostgreSQL literal; numbers exactly as written
};

// The call written as `EXEC[UTE] [schema.]name [@arg =] value, ...` when every value is a literal
// (string, number, NULL); nothing for anything else. `significant` holds the statement's tokens without
// whitespace, comments and a final ';'.
std::optional<TsqlExecCall> parseTsqlExec(const QList<TsqlToken>& significant);

// The call as a PostgreSQL statement: GET_USER is a function returning its answer row, any other name a
// procedure; both live in schema dbo under their lower-case names.
QString postgresCallStatement(const TsqlExecCall& exec);

} // namespace zeb
