#pragma once

#include <QString>

struct sqlite3;

namespace zeb {

// The authorizer of a client connection: no statement the client sends may read, write, alter or shadow
// the sign-in tables. The built-in procedures reach them under trust, and then only directly in the main
// file, never through a trigger, a view or a temporary table that a client may have made.
//
// SQLite asks while it prepares a statement, and again when it prepares a kept statement anew after a
// change of the schema: a statement prepared under trust must therefore never be kept for the client.
class SqliteAuthorizer
{
public:
    // Trust for the lifetime of this object: the built-in procedures and the connection's own checks.
    class Trust
    {
    public:
        explicit Trust(SqliteAuthorizer& authorizer)
            : m_authorizer(authorizer), m_before(authorizer.m_trusted)
        {
            authorizer.m_trusted = true;
        }
        ~Trust() { m_authorizer.m_trusted = m_before; }
        Trust(const Trust&) = delete;
        Trust& operator=(const Trust&) = delete;

    private:
        SqliteAuthorizer& m_authorizer;
        bool m_before;
    };

    // The authorizer keeps a pointer to this object: it must outlive the connection.
    void install(sqlite3* db);

    bool trusted() const { return m_trusted; }
    // The message for a statement the engine refused as not authorized.
    QString refusal() const;

    static bool isSignInTable(const char* name);

private:
    static int decide(void* self, int action, const char* first, const char* second, const char* database,
                      const char* inner);

    bool m_trusted = false;
    QString m_refusedTable;
};

} // namespace zeb
