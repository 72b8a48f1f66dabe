#pragma once

#include "tools/Arguments.h"
#include "data/ConnectionParams.h"
#include "server/ServerAccount.h"

namespace zeb {

// The server administrator a command acts as: `--admin-user`, else the engine's usual environment
// (PostgreSQL: postgres with PGPASSWORD; SQL Server: SQLCMDUSER or sa with SQLCMDPASSWORD, asked for without
// echo when that is not set, as sqlcmd does).
ServerAccount adminAccount(const Arguments& arguments, EngineKind engine);

// The engine kind of an installation folder's settings file.
EngineKind installedEngine(const QString& installationDirectory);

} // namespace zeb
