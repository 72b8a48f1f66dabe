#pragma once

#include "data/ConnectionParams.h"

#include <QTest>
#include <array>
#include <utility>

namespace zeb {

// Each installable engine with its row name, for tables that combine engines with other columns.
inline constexpr std::array<std::pair<const char*, EngineKind>, 2> installableEngines{{
    {"sqlite", EngineKind::Sqlite},
    {"pg", EngineKind::Postgres},
}};

// A test's _data() rows for each installable engine: column "engine", rows "sqlite" and "pg".
inline void addEngineRows()
{
    QTest::addColumn<EngineKind>("engine");
    for (const auto& [name, engine] : installableEngines)
        QTest::newRow(name) << engine;
}

} // namespace zeb
