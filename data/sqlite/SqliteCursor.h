#pragma once

#include "ResultCursor.h"

struct sqlite3_stmt;

namespace zeb {

// Steps one prepared statement lazily, reading cells straight from SQLite. Owns the statement:
// finalizing it is what lets a connection closed meanwhile go away.
class SqliteCursor : public ResultCursor
{
public:
    SqliteCursor(sqlite3_stmt* statement, ColumnList columns);
    ~SqliteCursor() override;
    SqliteCursor(const SqliteCursor&) = delete;
    SqliteCursor& operator=(const SqliteCursor&) = delete;

    const ColumnList& columns() const override { return m_columns; }
    bool next() override;

    bool isNull(int column) const override;
    qint64 toInt64(int column) const override;
    double toDouble(int column) const override;
    QString toText(int column) const override;
    QByteArray utf8Text(int column) const override;
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
