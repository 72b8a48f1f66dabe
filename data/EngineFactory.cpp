#include "data/EngineFactory.h"

#include "data/odbc/OdbcEngine.h"
#include "data/odbc/SqlServerDialect.h"
#include "data/pg/PgDialect.h"
#include "data/pg/PgEngine.h"
#include "data/sqlite/SqliteDialect.h"
#include "data/sqlite/SqliteEngine.h"

#include <algorithm>
#include <iterator>

namespace zeb {

namespace {

// A server engine needs nothing but the connection string.
template <typename ServerEngine>
std::unique_ptr<Engine> serverEngine(const ConnectionParams& params, const QString&)
{
    return std::make_unique<ServerEngine>(params);
}

struct EngineType
{
    EngineKind kind;
    const Dialect& (*dialect)();
    std::unique_ptr<Engine> (*create)(const ConnectionParams& params, const QString& dataDirectory);
};

// One line per engine.
constexpr EngineType engineTypes[] = {
    {EngineKind::Sqlite, &SqliteDialect::instance, &SqliteEngine::forClient},
    {EngineKind::Postgres, &PgDialect::instance, &serverEngine<PgEngine>},
    {EngineKind::SqlServer, &SqlServerDialect::instance, &serverEngine<OdbcEngine>},
};

const EngineType& typeOf(EngineKind kind)
{
    const auto found = std::find_if(std::begin(engineTypes), std::end(engineTypes),
                                    [kind](const EngineType& type) { return type.kind == kind; });
    Q_ASSERT(found != std::end(engineTypes));
    return *found;
}

} // namespace

std::unique_ptr<Engine> createEngine(const ConnectionParams& params, const QString& dataDirectory)
{
    return typeOf(params.engineKind()).create(params, dataDirectory);
}

const Dialect& dialectOf(EngineKind kind)
{
    return typeOf(kind).dialect();
}

} // namespace zeb
