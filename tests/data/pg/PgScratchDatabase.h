#pragma once

#include "data/ConnectionParams.h"
#include "pg/PgEngine.h"

namespace zeb {

// A database of its own on the server that scripts/with-test-postgres.sh starts, created through
// PgEngine as the admin and dropped again when the fixture goes away.
class PgScratchDatabase
{
public:
    // Raises Error when a ZEB_TEST_PG_* variable is missing or the server refuses.
    PgScratchDatabase();
    ~PgScratchDatabase();
    PgScratchDatabase(const PgScratchDatabase&) = delete;
    PgScratchDatabase& operator=(const PgScratchDatabase&) = delete;

    // The admin on the scratch database.
    ConnectionParams params() const;
    // The admin on the maintenance database "postgres".
    const ConnectionParams& adminParams() const { return m_adminParams; }
    PgEngine& admin() { return m_admin; }

private:
    ConnectionParams m_adminParams;
    QString m_name;
    PgEngine m_admin;
};

} // namespace zeb
