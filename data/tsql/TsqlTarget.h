#pragma once

namespace zeb {

// The engine language the client's T-SQL is translated into.
enum class TsqlTarget
{
    Sqlite,
    Postgres,
};

} // namespace zeb
