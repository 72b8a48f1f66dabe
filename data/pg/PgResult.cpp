#include "PgResult.h"

#include "LibPq.h"

namespace zeb {

void PgResultDeleter::operator()(pg_result* result) const
{
    libpq().PQclear(result);
}

} // namespace zeb
