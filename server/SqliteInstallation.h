#pragma once

#include "server/ServerAccount.h"

#include <QString>

namespace zeb {

// A new embedded database file with the schema and optionally the demo data, readable by its owner alone.
class SqliteInstallation
{
public:
    explicit SqliteInstallation(QString filePath);

    // Refuses an existing file; a failure removes the file again. The embedded engine hands every person a
    // login of their own, so the shared account a server installation makes is not kept.
    void create(const ServerAccount&, bool demo);
    // Removes the file create() made.
    void undo();

private:
    QString m_filePath;
    bool m_created = false;
};

} // namespace zeb
