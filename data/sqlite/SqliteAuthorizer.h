#pragma once

#include <QString>

struct sqlite3;

namespace zeb {

// The authorizer of a client connection. No statement the client sends may read, write, alter or shadow
// the sign-in tables, create, alter or drop any schema object (temporary ones included), attach another
// file, run a pragma, call a function or read a table that exposes the engine's internals, write the key
// counters, change or delete a row of the audit log, add or delete the form's requisites row, or write
// the schedule lines' history.
//
// The built-in procedures reach the sign-in tables under trust, which covers the preparing of their own
// statements only: directly in the main file, never through a trigger, a view or a virtual table, whose
// own statements SQLite prepares while the procedure's statement runs, after the trust has ended. Only the
// engine's own log triggers may complete or stamp a log row, and only its history triggers add history rows.
//
// SQLite asks while it prepares a statement, and again when it prepares a kept statement anew after a
// change of the schema: a statement prepared under trust must therefore never be kept for the client.
class SqliteAuthorizer
{
public:
    // Trust for the lifetime of this object: around the preparing of the engine's own statements.
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
    // The message of the last refusal since clearRefusal(), empty when there was none.
    QString refusal() const { return m_refusal; }
    // Before each statement, so that a refusal is told with the statement it stopped.
    void clearRefusal() { m_refusal.clear(); }

    static bool isSignInTable(const char* name);
    // The triggers the installation makes on the audit log and the departments.
    static bool isEngineTrigger(const char* name);

private:
    static int decide(void* self, int action, const char* first, const char* second, const char* database,
                      const char* inner);
    int decide(int action, const char* first, const char* second, const char* database, const char* inner);
    int refuse(const QString& message);

    bool m_trusted = false;
    QString m_refusal;
};

} // namespace zeb
