#pragma once

#include <memory>

struct pg_result;

namespace zeb {

struct PgResultDeleter
{
    void operator()(pg_result* result) const;
};

// A libpq result, cleared when its owner lets go of it.
using PgResult = std::unique_ptr<pg_result, PgResultDeleter>;

} // namespace zeb
