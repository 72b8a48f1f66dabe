#pragma once

#include "data/tsql/TsqlRewriter.h"

#include <QString>

namespace zeb {

// A quoted identifier for the dialect. PostgreSQL gets the name in lower case, as its schema was created
// with unquoted (folded) names.
QString quotedIdentifier(const QString& name, SqlDialect dialect);

// A PostgreSQL name in lower case, quoted only when it is not a plain name.
QString postgresName(const QString& name);

// A string literal that reads back exactly `text`. On PostgreSQL a text with a backslash is written as an
// escape string, so that it means the same whatever standard_conforming_strings says.
QString stringLiteral(const QString& text, SqlDialect dialect);

} // namespace zeb
