#pragma once

#include <QHash>
#include <QString>

namespace zeb {

// The SQL scripts the installation runs, read from serverScriptFolder().
enum class ServerScript
{
    SqliteSchema,
    // The schedule lines' history, run after the schema on each engine (and, on the servers, after the
    // accounts, at installation and at accounts repair).
    SqliteHistory,
    PgHistory,
    MssqlHistory,
    PgSchema,
    PgProcedures,
    PgAccounts,
    PgUpgrade,
    // sqlcmd scripts: their variables are written $(NAME), which serverScript leaves as they are.
    MssqlDatabase,
    MssqlSchema,
    MssqlProcedures,
    MssqlAccounts,
    MssqlUpgrade,
    // The reference rows, the same text for every engine.
    Reference,
};

// share/zeb7/server beside the installed tool's bindir when it is there, else the source tree's server
// folder.
QString serverScriptFolder();

// The script's text with every "${NAME}" replaced by values[NAME]. Raises Error when the script asks for a
// value that is not given, so a half-substituted script never reaches the server.
QString serverScript(ServerScript script, const QHash<QString, QString>& values = {});

} // namespace zeb
