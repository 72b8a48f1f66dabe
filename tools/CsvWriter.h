#pragma once

#include <QByteArray>
#include <QVariant>

class QIODevice;

namespace zeb {

class ResultCursor;

// A statement's result as CSV (RFC 4180): CRLF line ends, a header of the column names as the engine gives
// them, UTF-8. NULL is an empty unquoted field and an empty text "", so the two stay apart; a field is
// quoted only when it holds a comma, a quote or a line break. Numbers use '.', dates and times ISO 8601.
void writeCsv(ResultCursor& rows, QIODevice& out);

// One value as a CSV field.
QByteArray csvField(const QVariant& value);

} // namespace zeb
