#pragma once

#include "data/tsql/TsqlTokenEdit.h"

namespace zeb {

// Turns `SELECT [DISTINCT] TOP (n) [PERCENT] ...` into `SELECT ... LIMIT n`, the limit placed at the end
// of the query the TOP belongs to. n percent becomes the ceiling of n percent of the rows the query's FROM
// part yields, counted by a subquery. A TOP this cannot express exactly (WITH TIES, an expression, PERCENT
// with DISTINCT, a UNION) is left as written, for the engine to refuse.
void rewriteTopClauses(TsqlTokenEdit& edit);

} // namespace zeb
