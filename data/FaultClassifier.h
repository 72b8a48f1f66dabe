#pragma once

#include "data/DatabaseFault.h"

#include <QByteArrayView>
#include <QStringView>

// The one place where the engines' error codes are read as faults.
namespace zeb::faults {

// An SQLite extended result code. `deleting`: the refused statement deletes rows.
DatabaseFault ofSqlite(int extendedCode, bool deleting);

// An SQLSTATE, as PostgreSQL and ODBC report them (ODBC's 23000 covers every integrity rule).
DatabaseFault ofSqlState(QByteArrayView sqlState, bool deleting);

// A PostgreSQL server that answers a connection with "cannot connect now" (57P03) gives the reason only in
// its words; a server speaking another language than English leaves the reason unsaid.
DatabaseFault ofRejection(const QString& engineText);

// Whether the statement deletes rows: a delete refused by a foreign key means the rows are still referred to.
bool deletesRows(QStringView sql);

} // namespace zeb::faults
