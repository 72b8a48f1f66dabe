#pragma once

#include "data/ResultCursor.h"

#include <sqlite3.h>

namespace zeb {

// Steps one prepared statement lazily, reading cells straight from SQLite. Owns the statement:
// finalizing it is what lets a connection closed meanwhile go away. The readers a row store calls for
// every cell are inline, for a store that knows the cursor is this one.
class SqliteCursor final : public ResultCursor
{
public:
    SqliteCursor(sqlite3_stmt* statement, ColumnList columns);
    ~SqliteCursor() override;
    SqliteCursor(const SqliteCursor&) = delete;
    SqliteCursor& operator=(const SqliteCursor&) = delete;

    const ColumnList& columns() const override { return m_columns; }
    bool next() override;

    bool isNull(int column) const override
    {
        return !readable(column) || sqlite3_column_type(m_statement, column) == SQLITE_NULL;
    }
    qint64 toInt64(int column) const override
    {
        return readable(column) ? sqlite3_column_int64(m_statement, column) : 0;
    }
    double toDouble(int column) const override
    {
        return readable(column) ? sqlite3_column_double(m_statement, column) : 0.0;
    }
    QString toText(int column) const override;
    QByteArray utf8Text(int column) const override
    {
        if (!readable(column))
            return {};
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(m_statement, column));
        if (!text)
            return {};
        return QByteArray::fromRawData(text, sqlite3_column_bytes(m_statement, column));
    }
    QVariant value(int column) const override;

private:
    bool readable(int column) const { return m_onRow && column >= 0 && column < m_columns.size(); }
    QVariant naturalValue(int column) const;
    QVariant dateValue(int column, bool withTime) const;

    sqlite3_stmt* m_statement;
    ColumnList m_columns;
    bool m_onRow = false;
};

} // namespace zeb
