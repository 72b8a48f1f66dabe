#pragma once

#include "data/DatabaseFault.h"

#include <QStringView>

struct sqlite3;

namespace zeb {

// The connection's last error with its meaning; `sql` is the refused statement, when there was one.
EngineFailure sqliteFailure(sqlite3* db, QStringView sql = {});

} // namespace zeb
