#pragma once

#include "credentials/FirstConnectInfo.h"
#include "server/InstallRequest.h"

#include <QString>

namespace zeb {

// Where an installation keeps its settings and embedded database, and the names it gives a database's
// accounts. The installing itself is Installer's.
class Installation
{
public:
    Installation() = delete;

    // directory/Data/ZEB and directory/Data, or the workstation's for /etc/zeb7 (SettingsLocation).
    static QString settingsPath(const QString& directory);
    static QString dataDirectory(const QString& directory);
    // The sign-in and schedule accounts of a database.
    static QString signinRole(const QString& database);
    static QString workRole(const QString& database);
    // Raises Error unless the database name is a plain identifier short enough for the sign-in role's name
    // to fit the settings file; `keepsCase`: the engine keeps capitals as written.
    static void checkDatabaseName(const QString& database, bool keepsCase);
};

} // namespace zeb
