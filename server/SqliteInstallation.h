#pragma once

#include "ServerAccount.h"

#include <QString>

namespace zeb {

// A new embedded database file with the schema, the schedule account and optionally the demo data.
class SqliteInstallation
{
public:
    explicit SqliteInstallation(QString filePath);

    // Refuses an existing file; a failure removes the file again.
    void create(const ServerAccount& work, bool demo);
    // Removes the file create() made.
    void undo();

private:
    QString m_filePath;
    bool m_created = false;
};

} // namespace zeb
