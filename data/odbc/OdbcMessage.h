#pragma once

#include <QString>

class QSqlError;

namespace zeb {

// The server's own words from a driver message: "[unixODBC][FreeTDS][SQL Server]Cannot insert..." reads
// "Cannot insert...".
QString withoutDriverPrefixes(const QString& message);

// What the user is shown of a failed ODBC call.
QString odbcErrorText(const QSqlError& error);

} // namespace zeb
