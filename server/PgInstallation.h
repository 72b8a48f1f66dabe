#pragma once

#include "server/InstallRequest.h"
#include "server/ServerAccount.h"

#include <QStringList>

namespace zeb {

class Engine;

// A new PostgreSQL database with schema dbo, the two procedures, the sign-in role, the group role of the
// persons' logins and optionally the demo data, created by the administrator who then owns everything.
class PgInstallation
{
public:
    PgInstallation(const InstallRequest& request, QString dataSource, ServerAccount signin);

    // Refuses an existing database and roles left by an earlier one of that name; a failure drops the
    // database and the roles it made. Of work only the name is taken: the group cannot log in, so it has no
    // password.
    void create(const ServerAccount& work, bool demo);
    // Drops what create() made.
    void undo();

private:
    ConnectionParams adminParams(const QString& database) const;
    void fill(const ServerAccount& work, bool demo);
    // Roles of an earlier installation under the same database name: refused, naming them, or dropped
    // when the request says so.
    void dropOrRefuseOldLogins(Engine& server) const;

    InstallRequest m_request;
    QString m_dataSource;
    ServerAccount m_signin;
    QStringList m_newRoles;
    bool m_created = false;
};

} // namespace zeb
