#pragma once

#include "data/ConnectionParams.h"

#include <QString>

namespace zeb::nativesql {

// Positional parameter marker of the engine, index counted from 0.
QString placeholder(EngineKind engine, int index);
// A table or column name quoted for the engine (PostgreSQL names are folded to lower case,
// as its schema is created with unquoted names).
QString quoteIdentifier(EngineKind engine, const QString& name);

} // namespace zeb::nativesql
