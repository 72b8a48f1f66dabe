#pragma once

#include "ColumnInfo.h"

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
    void clear();

    bool isNull(int row, int column) const;
    QVariant value(int row, int column) const;
    void setValue(int row, int column, const QVariant& value);

    // Bytes held, for measuring.
    qsizetype memoryUsage() const;

private:
    struct Column
    {
        FieldType type;
        std::vector<quint64> slots;
        std::vector<bool> nulls;
    };

    quint64 storeText(QByteArrayView utf8);
    QString text(quint64 slot) const;
    void loadCell(Column& column, const ResultCursor& cursor, int sourceColumn);

    std::vector<Column> m_columns;
    QByteArray m_textPool;
    int m_rowCount = 0;
};

} // namespace zeb
