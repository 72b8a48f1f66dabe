#pragma once

#include "data/dataset/WriteStatements.h"

#include <QString>
#include <QVariantList>
#include <memory>
#include <optional>
#include <vector>

namespace zeb {

class Connection;
class ResultCursor;

// Writes one changed row of a dataset to the table its statement reads, identified by its key, in the
// engine's own dialect with bound values. Updates and deletes are optimistic: an update needs the row to
// still hold the read values of the columns it changes (another workstation's save of other columns is
// kept, not overwritten), a delete the whole row as read; otherwise nothing is written and the user is
// told why.
class WriteBack
{
public:
    using Column = WriteColumn;

    WriteBack(Connection& connection, QString table, QList<Column> columns, int keyColumn);

    // The one table a SELECT reads, or nothing when it joins, groups or reads several tables.
    static std::optional<QString> tableOf(const QString& statement);

    // Which of the columns is the key.
    int keyColumn() const { return m_keyColumn; }

    // The row as the server stored it (identity key and defaults included): `rows` is on it, and
    // sourceColumns[c] is its column of column c (-1: not returned). No rows when the engine gives none.
    struct StoredRow
    {
        std::unique_ptr<ResultCursor> rows;
        std::vector<int> sourceColumns;
    };

    // `key` is the read key, `changes` the changed columns in column order.
    void update(const QVariant& key, const QList<CellChange>& changes);
    StoredRow insert(const QVariantList& newValues);
    void remove(const QVariantList& oldValues);
    // Raises the delete's conflict unless the row still holds every read value; on PostgreSQL the row stays
    // locked until the transaction ends.
    void lockUnchanged(const QVariantList& oldValues);

private:
    // The statements of the engine the connection opens now.
    WriteStatements& statements();
    [[noreturn]] void raiseConflict(const QVariant& key, bool deleting);

    Connection& m_connection;
    QString m_table;
    QList<Column> m_columns;
    int m_keyColumn;
    std::optional<WriteStatements> m_statements;
};

} // namespace zeb
