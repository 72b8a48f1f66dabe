#include "data/sqlite/SqliteCursor.h"

#include "data/DatabaseError.h"
#include "data/sqlite/SqliteDateText.h"
#include "data/sqlite/SqliteFailure.h"

#include <sqlite3.h>

namespace zeb {

SqliteCursor::SqliteCursor(sqlite3_stmt* statement, ColumnList columns)
    : m_statement(statement), m_columns(std::move(columns))
{
}

SqliteCursor::~SqliteCursor()
{
    sqlite3_finalize(m_statement);
}

bool SqliteCursor::next()
{
    if (!m_statement)
        return false;
    switch (sqlite3_step(m_statement)) {
    case SQLITE_ROW:
        m_onRow = true;
        return true;
    case SQLITE_DONE:
        break;
    default: {
        m_onRow = false;
        const DatabaseError error(sqliteFailure(sqlite3_db_handle(m_statement)));
        sqlite3_finalize(m_statement);
        m_statement = nullptr;
        throw error;
    }
    }
    // Done: release the statement now, so its read lock does not outlive the rows.
    m_onRow = false;
    sqlite3_finalize(m_statement);
    m_statement = nullptr;
    return false;
}

QString SqliteCursor::toText(int column) const
{
    if (!readable(column))
        return {};
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(m_statement, column));
    if (!text)
        return {};
    return QString::fromUtf8(text, sqlite3_column_bytes(m_statement, column));
}

QVariant SqliteCursor::value(int column) const
{
    if (!readable(column) || sqlite3_column_type(m_statement, column) == SQLITE_NULL)
        return {};
    switch (m_columns.at(column).type) {
    case FieldType::Boolean:
        return sqlite3_column_int64(m_statement, column) != 0;
    case FieldType::Integer:
        return sqlite3_column_int64(m_statement, column);
    case FieldType::Float:
        return sqlite3_column_double(m_statement, column);
    case FieldType::Text:
    case FieldType::Memo:
        return toText(column);
    case FieldType::Date:
        return dateValue(column, false);
    case FieldType::DateTime:
        return dateValue(column, true);
    case FieldType::Binary: {
        const auto* bytes = static_cast<const char*>(sqlite3_column_blob(m_statement, column));
        return QByteArray(bytes, sqlite3_column_bytes(m_statement, column));
    }
    case FieldType::Decimal:
    case FieldType::Unknown:
        break;
    }
    return naturalValue(column);
}

QVariant SqliteCursor::naturalValue(int column) const
{
    switch (sqlite3_column_type(m_statement, column)) {
    case SQLITE_INTEGER:
        return sqlite3_column_int64(m_statement, column);
    case SQLITE_FLOAT:
        return sqlite3_column_double(m_statement, column);
    case SQLITE_BLOB: {
        const auto* bytes = static_cast<const char*>(sqlite3_column_blob(m_statement, column));
        return QByteArray(bytes, sqlite3_column_bytes(m_statement, column));
    }
    case SQLITE_TEXT:
        return toText(column);
    default:
        return {};
    }
}

// A cell that is not ISO date text (written by another program, say) comes back as it is stored
// rather than being lost.
QVariant SqliteCursor::dateValue(int column, bool withTime) const
{
    if (sqlite3_column_type(m_statement, column) != SQLITE_TEXT)
        return naturalValue(column);
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(m_statement, column));
    const sqlitedate::DateTimeText parsed =
        sqlitedate::parseDateTime(text, sqlite3_column_bytes(m_statement, column));
    if (!parsed.date.isValid())
        return toText(column);
    if (withTime)
        return QDateTime(parsed.date, parsed.time);
    return parsed.date;
}

} // namespace zeb
