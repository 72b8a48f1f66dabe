#pragma once

#include <QString>

namespace zeb {

enum class EngineKind
{
    Sqlite,
    Postgres,
    SqlServer,
};

// The parts of a connection string that reach the engine.
struct ConnectionParams
{
    QString userId;
    QString password;
    QString initialCatalog;
    QString dataSource;

    static ConnectionParams parse(const QString& connectionString);
    EngineKind engineKind() const;
};

} // namespace zeb
