#include "server/AdministrationFactory.h"

#include "server/MssqlAdministration.h"
#include "server/PgAdministration.h"
#include "server/SqliteAdministration.h"

#include <algorithm>
#include <iterator>

namespace zeb {

namespace {

struct EngineEntry
{
    EngineKind kind;
    const EngineAdministration& (*administration)();
};

// One line per engine.
constexpr EngineEntry engines[] = {
    {EngineKind::Sqlite, &SqliteAdministration::instance},
    {EngineKind::Postgres, &PgAdministration::instance},
    {EngineKind::SqlServer, &MssqlAdministration::instance},
};

} // namespace

const EngineAdministration& administrationOf(EngineKind kind)
{
    const auto found = std::find_if(std::begin(engines), std::end(engines),
                                    [kind](const EngineEntry& entry) { return entry.kind == kind; });
    Q_ASSERT(found != std::end(engines));
    return found->administration();
}

const EngineAdministration& administrationOf(const FirstConnectInfo& settings)
{
    return administrationOf(
        ConnectionParams{QString(), QString(), settings.initialCatalog, settings.dataSource}.engineKind());
}

} // namespace zeb
