#pragma once

#include "data/ColumnInfo.h"

struct sqlite3_stmt;

namespace zeb::sqlitecolumns {

// A column's type and text size from its declared type ("VARCHAR(30)", "DATETIME"...); an expression
// has no declared type and stays Unknown.
ColumnInfo fromDeclaredType(const QString& name, const char* declaredType);

// The result columns of a prepared statement.
ColumnList describe(sqlite3_stmt* statement);

} // namespace zeb::sqlitecolumns
