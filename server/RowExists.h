#pragma once

#include "data/Engine.h"

namespace zeb {

// Whether the statement returns a row. Its rows are read to the end, so the connection is free again.
bool rowExists(Engine& engine, const QString& sql, const QVariantList& params);

} // namespace zeb
