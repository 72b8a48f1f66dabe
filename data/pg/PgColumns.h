#pragma once

#include "data/ColumnInfo.h"

#include <libpq-fe.h>

namespace zeb {

// The columns of a result, typed by the OIDs of their PostgreSQL types.
ColumnList pgColumns(const PGresult* result);

} // namespace zeb
