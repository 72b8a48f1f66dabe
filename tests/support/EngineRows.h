#pragma once

#include "ConnectionParams.h"

#include <QTest>

namespace zeb {

// A test's _data() rows for each installable engine: column "engine", rows "sqlite" and "pg".
inline void addEngineRows()
{
    QTest::addColumn<EngineKind>("engine");
    QTest::newRow("sqlite") << EngineKind::Sqlite;
    QTest::newRow("pg") << EngineKind::Postgres;
}

} // namespace zeb
