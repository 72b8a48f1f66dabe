#pragma once

#include "data/ColumnInfo.h"
#include "data/dataset/SlotColumn.h"
#include "data/dataset/TextPool.h"

#include <QByteArray>
#include <QVariant>
#include <optional>
#include <vector>

namespace zeb {

class ResultCursor;

// Rows of one result kept column by column in 8-byte slots; texts live as UTF-8 in one shared pool.
// A line of 22 columns costs at most 22 slots (SlotColumn keeps small ones in 4 bytes and none for NULLs),
// a null bit per column and its text bytes. Decimals are kept exactly:
// as whole units of the column's scale, or as their text where they do not fit. Date-times are wall-clock
// values and come out as temporal::wallClock() gives them; a decimal comes out as its plain text.
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
    // Sets a row from the cursor's current row, read as load() reads it; a column without source stays.
    void setRow(int row, const ResultCursor& cursor, const std::vector<int>& sourceColumns);
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
        // Decimal: the digits after the point of its units, and whether any cell is kept as text.
        int scale = 0;
        bool anyText = false;
    };

    template <typename Cursor> void loadRows(Cursor& cursor, const std::vector<int>& sourceColumns);
    template <typename Cursor> quint64 loadCell(Column& column, const Cursor& cursor, int sourceColumn);
    quint64 storeText(QByteArrayView utf8);
    QString text(quint64 slot) const;
    static std::optional<qint64> wholeUnits(const Column& column, const ResultCursor& cursor, int source);
    quint64 storeDecimal(Column& column, const QByteArray& number);
    // Raises the scale of the column's units, when every unit still fits.
    void widenScale(Column& column, int scale);
    QByteArray decimalText(const Column& column, quint64 slot) const;

    std::vector<Column> m_columns;
    TextPool m_textPool;
    int m_rowCount = 0;
};

} // namespace zeb
