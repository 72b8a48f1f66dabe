#pragma once

#include <QByteArray>

namespace zeb {

// The TLS the workstation insists on with a PostgreSQL server: ZEB_PG_SSLMODE as libpq's sslmode, `require`
// when unset, so that neither GET_USER's answer nor the schedule crosses the network in the clear.
// `prefer`, `allow` or `disable` lower it for an old server without TLS; `verify-ca` and `verify-full` also
// check the server's certificate. Raises DatabaseError naming the variable for any other value.
QByteArray pgSslMode();

} // namespace zeb
