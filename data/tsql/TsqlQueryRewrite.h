#pragma once

#include "data/tsql/TsqlColumnTypes.h"
#include "data/tsql/TsqlRewriter.h"
#include "data/tsql/TsqlTokenizer.h"

namespace zeb {

// Rewrites an ordinary statement (SELECT, INSERT, UPDATE, DELETE, or anything unknown) token by token:
// quoted names, the dbo schema and database prefixes, string literals (dates by the columns they meet),
// LIKE, the NULL order of ORDER BY and TOP. Every token no rule touches keeps its text, blanks and comments
// included.
QString rewriteTsqlQuery(QList<TsqlToken> tokens, SqlDialect dialect, DateOrder dateOrder,
                         const TsqlColumnTypes& columnTypes);

} // namespace zeb
