#pragma once

#include "data/ResultCursor.h"

#include <memory>

namespace zeb {

// What one statement gave back: rows when it produced a result set, otherwise the count of rows it changed.
struct StatementResult
{
    std::unique_ptr<ResultCursor> rows;
    qint64 rowsAffected = -1;
};

} // namespace zeb
