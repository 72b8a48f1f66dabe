#include "data/pg/PgResult.h"

#include "data/pg/LibPq.h"

namespace zeb {

void PgResultDeleter::operator()(pg_result* result) const
{
    libpq().PQclear(result);
}

} // namespace zeb
