#pragma once

#include "data/tsql/TsqlColumnTypes.h"

namespace zeb {

class Engine;

// The types of every table and view of the file that the engine lets the session read.
TsqlColumnTypes readSqliteColumnTypes(Engine& engine);

} // namespace zeb
