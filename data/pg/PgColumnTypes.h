#pragma once

#include "data/tsql/TsqlColumnTypes.h"

namespace zeb {

class Engine;

// The types of every table and view of the client's schema dbo, from the server's catalog.
TsqlColumnTypes readPgColumnTypes(Engine& engine);

} // namespace zeb
