#pragma once

#include "data/ConnectionParams.h"

#include <QString>

namespace zeb {

// The PostgreSQL server of the test run, from ZEB_TEST_PG_HOST, ZEB_TEST_PG_PORT, ZEB_TEST_PG_ADMIN_USER and
// ZEB_TEST_PG_ADMIN_PASSWORD, which scripts/with-test-postgres.sh sets.
struct TestPgServer
{
    QString host;
    int port = 0;
    QString adminUser;
    QString adminPassword;

    // Raises Error naming the missing variable, so that a test run without the server fails.
    static TestPgServer fromEnvironment();

    QString dataSource() const;
    ConnectionParams adminParams(const QString& database) const;

    // A database name no other test run uses, short enough for the installation's role names.
    static QString uniqueDatabaseName();
    // Drops the database, the roles <database>_signin and <database>_work where they exist and the persons'
    // logins in <database>_work.
    void dropDatabase(const QString& database) const;
};

} // namespace zeb
