#include "data/pg/PgSessionWatch.h"

#include "data/pg/LibPq.h"

#include <cstring>
#include <poll.h>

namespace zeb {

namespace {

// A session's end comes in a message or two: the reason, then the closed connection.
constexpr int MaxReads = 8;

bool readable(const PGconn* conn)
{
    pollfd waiting{libpq().PQsocket(conn), POLLIN, 0};
    return ::poll(&waiting, 1, 0) > 0;
}

} // namespace

void PgSessionWatch::attach(PGconn* conn)
{
    m_endAnnounced = false;
    libpq().PQsetNoticeReceiver(conn, receive, this);
}

// libpq hands an error that comes outside a statement to the notice receiver.
void PgSessionWatch::receive(void* watch, const PGresult* message)
{
    const char* severity = libpq().PQresultErrorField(message, PG_DIAG_SEVERITY_NONLOCALIZED);
    if (severity && (std::strcmp(severity, "FATAL") == 0 || std::strcmp(severity, "PANIC") == 0))
        static_cast<PgSessionWatch*>(watch)->m_endAnnounced = true;
}

bool PgSessionWatch::ended(PGconn* conn)
{
    for (int read = 0; read < MaxReads && !m_endAnnounced && libpq().PQstatus(conn) == CONNECTION_OK;
         ++read) {
        if (!readable(conn) || !libpq().PQconsumeInput(conn))
            break;
        // Parses what was read, which hands an announced end to the receiver.
        libpq().PQisBusy(conn);
    }
    return m_endAnnounced || libpq().PQstatus(conn) == CONNECTION_BAD;
}

} // namespace zeb
