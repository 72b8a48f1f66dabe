#include "server/RowExists.h"

namespace zeb {

bool rowExists(Engine& engine, const QString& sql, const QVariantList& params)
{
    StatementResult result = engine.run(sql, params);
    const bool found = result.rows && result.rows->next();
    if (found)
        while (result.rows->next()) {
        }
    return found;
}

} // namespace zeb
