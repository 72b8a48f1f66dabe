#pragma once

#include <QString>

struct sqlite3;

// An in-memory SQLite database with the tables the client's statements read and write. Double-quoted
// names must resolve as names here: the engine's fallback to string literals is switched off.
class SqliteSchema
{
public:
    SqliteSchema();
    ~SqliteSchema();
    SqliteSchema(const SqliteSchema&) = delete;
    SqliteSchema& operator=(const SqliteSchema&) = delete;

    // Runs SQL without rows; the engine's message, empty on success.
    QString exec(const char* sql);
    // Prepares and runs one statement; the engine's message, empty on success. `rows` gets the count of rows.
    QString run(const QString& sql, int* rows = nullptr);

private:
    sqlite3* m_db = nullptr;
};
