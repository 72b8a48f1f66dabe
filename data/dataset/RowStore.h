#pragma once

#include "ColumnInfo.h"
#include "SlotColumn.h"

#include <QByteArray>
#include <QVariant>
#include <vector>

namespace zeb {

class ResultCursor;

// Rows of one result kept column by column in 8-byte slots; texts live as UTF-8 in one shared pool.
// A line of 22 columns costs 22 slots, a null bit per column and its text bytes.
class RowStore
{
public:
    explicit RowStore(const QList<FieldType>& columnTypes = {});

    int columnCount() const { return int(m_columns.size()); }
    int rowCount() const { return m_rowCount; }
    FieldType columnType(int column) const { return m_columns[column].type; }

    // Appends every remaining row of the cursor; sourceColumns[i] is the cursor column of column i (-1:
    // none).
    void load(ResultCursor& cursor, const std::vector<int>& sourceColumns);
    int appendRow();
    // Empties the store and gives its memory back.
    void clear();

    bool isNull(int row, int column) const;
    QVariant value(int row, int column) const;
    // The number of a non-NULL Integer or Boolean cell.
    qint64 integer(int row, int column) const { return qint64(m_columns[column].cells.slot(row)); }
    void setValue(int row, int column, const QVariant& value);
    // A number in the order of the stored values of a non-NULL cell that is neither text nor binary.
    qint64 sortKey(int row, int column) const;

    // Bytes held, for measuring.
    qsizetype memoryUsage() const;

private:
    struct Column
    {
        FieldType type;
        SlotColumn cells;
    };

    quint64 storeText(QByteArrayView utf8);
    QString text(quint64 slot) const;
    quint64 loadCell(const Column& column, const ResultCursor& cursor, int sourceColumn);

    std::vector<Column> m_columns;
    QByteArray m_textPool;
    int m_rowCount = 0;
};

} // namespace zeb
