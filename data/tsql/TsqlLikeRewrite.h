#pragma once

#include "data/tsql/TsqlRewriter.h"
#include "data/tsql/TsqlTokenEdit.h"

namespace zeb {

// LIKE as SQL Server reads it: no escape character unless ESCAPE names one, letters of either case alike,
// [ ] character sets. A pattern written as one literal becomes the engine's exact equivalent (GLOB on
// SQLite, a regular expression on PostgreSQL); any other pattern stays LIKE, on PostgreSQL as ILIKE without
// its default backslash escape.
void rewriteLike(TsqlTokenEdit& edit, SqlDialect dialect);

} // namespace zeb
