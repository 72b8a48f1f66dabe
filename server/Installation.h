#pragma once

#include "credentials/FirstConnectInfo.h"
#include "server/InstallRequest.h"

namespace zeb {

// Creates a database with its schema, procedures and accounts, optionally the demo data, and writes the
// settings file the client signs in with. Nothing existing is overwritten: an existing settings file,
// database file or database is refused, and a failed installation removes what it created.
class Installation
{
public:
    Installation() = delete;

    // Returns what was written to settingsPath(request.directory). Raises Error with a Russian text on any
    // failure.
    static FirstConnectInfo install(const InstallRequest& request);

    // directory/Data/ZEB and directory/Data, or the workstation's for /etc/zeb7 (SettingsLocation).
    static QString settingsPath(const QString& directory);
    static QString dataDirectory(const QString& directory);
    // The sign-in and schedule accounts of a database.
    static QString signinRole(const QString& database);
    static QString workRole(const QString& database);
};

} // namespace zeb
