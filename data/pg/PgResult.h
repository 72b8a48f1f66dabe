#pragma once

#include "LibPq.h"

#include <libpq-fe.h>
#include <memory>

namespace zeb {

struct PgResultDeleter
{
    void operator()(PGresult* result) const { libpq().PQclear(result); }
};

// A libpq result, cleared when its owner lets go of it.
using PgResult = std::unique_ptr<PGresult, PgResultDeleter>;

} // namespace zeb
