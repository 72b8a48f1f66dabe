#pragma once

#include "data/DatabaseFault.h"

#include <QString>

class QSqlError;

namespace zeb {

// The server's own words from a driver message. Each diagnostic record comes prefixed by the components it
// passed ("[unixODBC][FreeTDS][SQL Server]Cannot insert..."), and Qt joins the records with a space; the
// records are given one a line, prefixes dropped, a record repeated only once.
QString withoutDriverPrefixes(const QString& message);

// What the user is shown of a failed ODBC call: the records, else Qt's own words without its "QODBC:".
QString odbcErrorText(const QSqlError& error);

// The failed call with its meaning, read from the records' SQLSTATEs; `sql` is the refused statement.
EngineFailure odbcFailure(const QSqlError& error, const QString& server, QStringView sql = {});

} // namespace zeb
