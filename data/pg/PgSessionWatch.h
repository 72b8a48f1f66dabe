#pragma once

struct pg_conn;
struct pg_result;

namespace zeb {

// Whether the server ended a session while it waited for the next statement (an administrator ended it, the
// server stopped or restarted). The server then says why (a FATAL message) and closes the connection; both
// wait unread on the connection until the client reads, so a statement sent without looking would be lost
// on the way, its fate unknown to the client.
class PgSessionWatch
{
public:
    // Takes the connection's messages outside a statement; the server's notices are otherwise dropped.
    void attach(pg_conn* conn);
    // Reads what waits on the idle connection, never waiting for more; nothing is sent.
    bool ended(pg_conn* conn);

private:
    static void receive(void* watch, const pg_result* message);

    bool m_endAnnounced = false;
};

} // namespace zeb
