#pragma once

#include "data/ConnectionParams.h"

#include <QString>

namespace zeb {

// What the FreeTDS driver is asked for: a Data Source of `host`, `host,port` or `host\instance`, the
// settings' database and account, and encryption of the whole session. Raises DatabaseError for a value
// the driver cannot read back as it is.
QString odbcConnectionString(const ConnectionParams& params, const QString& encryption);

// The encryption the workstation asks for: ZEB_MSSQL_ENCRYPTION as `require` (the default), `request`
// (encrypt when the server can) or `off` (an old server that cannot). Raises DatabaseError for any other
// value.
QString odbcEncryption();

} // namespace zeb
