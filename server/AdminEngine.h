#pragma once

#include "data/Engine.h"
#include "server/ServerAccount.h"

#include <memory>

namespace zeb {

// An open engine with the administrator's rights on the database of an installation folder, found through
// its settings file DIR/Data/ZEB: the embedded file in DIR/Data (brought up to date when an older version
// made it), or the PostgreSQL or SQL Server database the settings name, signed in with the given
// administrator account. Raises Error when the settings cannot be read or the engine refuses.
std::unique_ptr<Engine> openAdminEngine(const QString& installationDirectory, const ServerAccount& admin);

// Opens a server engine as the administrator. A refused connection is told in Russian, naming the server and
// the login, before the server's or driver's own words.
void openAsAdministrator(Engine& engine, const QString& server, const QString& user);

} // namespace zeb
