#pragma once

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QVariant>

namespace zeb {

// PostgreSQL's text form of values, both ways. The readers take a cell as libpq gives it (not a copy)
// and never build a QString, since a whole result is read through them.

// A null QVariant and an invalid date or time are sent as NULL.
bool pgIsNull(const QVariant& value);
// The text a parameter is sent as; the server infers its type from the statement.
QByteArray pgTextOf(const QVariant& value);

// Whole numbers; a fraction ("12.50") is cut off, text that is no number gives 0.
qint64 pgInt64(const char* text, int length);
double pgDouble(const char* text, int length);
// ISO dates and timestamps (DateStyle ISO); a timestamp with a zone comes back in local time.
QDate pgDate(const char* text, int length);
QDateTime pgDateTime(const char* text, int length);
// bytea in either output form (hex or escape).
QByteArray pgBytes(const char* text);

} // namespace zeb
