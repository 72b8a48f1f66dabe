#pragma once

#include "server/InstallRequest.h"
#include "server/ServerAccount.h"

#include <QHash>
#include <QStringList>

namespace zeb {

class Engine;

// A new SQL Server database in the Cyrillic collation, made by running the scripts of server/mssql as
// `sqlcmd -b -v` would, batch by batch through ODBC, as the administrator who then owns it.
class MssqlInstallation
{
public:
    MssqlInstallation(const InstallRequest& request, QString dataSource, ServerAccount signin);

    // Refuses an existing database; a failure drops the database and the logins it made.
    void create(const ServerAccount& work, bool demo);
    // Drops what create() made.
    void undo();

    // The values the scripts are run with, as a hand run passes them with -v.
    static QHash<QString, QString> scriptValues(const QString& database, const ServerAccount& signin,
                                                const QString& workRole);

private:
    ConnectionParams adminParams(const QString& database) const;
    void fill(const QString& workRole);

    InstallRequest m_request;
    QString m_dataSource;
    ServerAccount m_signin;
    QStringList m_newLogins;
    bool m_created = false;
};

// Runs the batches of a script in order and stops at the first that fails.
void runSqlcmdScript(Engine& engine, const QString& name, const QString& text,
                     const QHash<QString, QString>& values);

} // namespace zeb
