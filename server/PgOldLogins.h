#pragma once

#include "server/ServerAccount.h"

#include <QStringList>

namespace zeb {

class Engine;

// Roles are shared by the whole PostgreSQL server and outlive a dropped database: the logins of an earlier
// installation under the same database name would open the new one. These find and remove them.

// The roles on the server named as an installation of this database names its own: <db>_signin, <db>_work
// and the persons' logins <db>_work_<n>.
QStringList pgInstallationRoles(Engine& server, const QString& database);

// The persons' logins <db>_work_<n> that no row of dbo.zeb_users names; the engine is connected to the
// installation's database.
QStringList pgOrphanPersonLogins(Engine& engine, const QString& database);

// Shuts each role, ends its sessions and drops it with whatever it owns in the connected database.
void dropPgRoles(Engine& engine, const QStringList& roles);

// Drops the orphaned persons' logins of the PostgreSQL installation in the folder, as the administrator, and
// returns their names; nothing for another engine.
QStringList removeOrphanPersonLogins(const QString& installationDirectory, const ServerAccount& admin);

} // namespace zeb
