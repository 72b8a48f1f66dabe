#pragma once

#include "data/ConnectionParams.h"

#include <QString>

namespace zeb {

// What an administrator asks of a new installation.
struct InstallRequest
{
    // The installation folder: the settings file goes to directory/Data/ZEB, an embedded database beside it.
    QString directory;
    EngineKind engine = EngineKind::Sqlite;
    // The database name; the embedded engine's file is <database>.db.
    QString database = QStringLiteral("zeb");
    QString host = QStringLiteral("127.0.0.1");
    int port = 5432;
    // A PostgreSQL account allowed to create databases and roles.
    QString adminUser = QStringLiteral("postgres");
    QString adminPassword;
    bool demo = false;
    // PostgreSQL: roles an earlier installation under the same database name left on the server are dropped
    // rather than refused.
    bool dropOldLogins = false;
};

} // namespace zeb
