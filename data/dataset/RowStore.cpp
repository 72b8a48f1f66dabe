#include "RowStore.h"

#include "ResultCursor.h"
#include "TemporalText.h"

#include <QDateTime>
#include <cstring>
#include <limits>

namespace zeb {

namespace {

// A text slot holds the pool offset in its upper 40 bits and the byte length in the lower 24.
constexpr int lengthBits = 24;
constexpr quint64 lengthMask = (quint64(1) << lengthBits) - 1;

quint64 fromDouble(double value)
{
    quint64 slot;
    std::memcpy(&slot, &value, sizeof slot);
    return slot;
}

double toDouble(quint64 slot)
{
    double value;
    std::memcpy(&value, &slot, sizeof value);
    return value;
}

} // namespace

RowStore::RowStore(const QList<FieldType>& columnTypes)
{
    m_columns.reserve(columnTypes.size());
    for (FieldType type : columnTypes)
        m_columns.push_back(Column{type, {}});
}

void RowStore::clear()
{
    for (Column& column : m_columns)
        column.cells.release();
    m_textPool = QByteArray();
    m_rowCount = 0;
}

int RowStore::appendRow()
{
    for (Column& column : m_columns)
        column.cells.append(0, true);
    return m_rowCount++;
}

void RowStore::load(ResultCursor& cursor, const std::vector<int>& sourceColumns)
{
    const int known = cursor.rowCountHint();
    if (known > 0) {
        for (Column& column : m_columns)
            column.cells.reserve(m_rowCount + known);
    }
    while (cursor.next()) {
        for (int c = 0; c < columnCount(); ++c) {
            Column& column = m_columns[c];
            const int source = sourceColumns[c];
            if (source < 0 || cursor.isNull(source))
                column.cells.append(0, true);
            else
                column.cells.append(loadCell(column, cursor, source), false);
        }
        ++m_rowCount;
    }
    m_textPool.squeeze();
}

quint64 RowStore::loadCell(const Column& column, const ResultCursor& cursor, int source)
{
    switch (column.type) {
    case FieldType::Boolean:
    case FieldType::Integer:
        return quint64(cursor.toInt64(source));
    case FieldType::Float:
    case FieldType::Decimal:
        return fromDouble(cursor.toDouble(source));
    case FieldType::Date:
        return quint64(temporal::parseDate(cursor.utf8Text(source)).toJulianDay());
    case FieldType::DateTime:
        return quint64(temporal::parseDateTimeSlot(cursor.utf8Text(source)));
    case FieldType::Binary:
        return storeText(cursor.value(source).toByteArray());
    case FieldType::Text:
    case FieldType::Memo:
    case FieldType::Unknown:
        break;
    }
    return storeText(cursor.utf8Text(source));
}

bool RowStore::isNull(int row, int column) const
{
    return m_columns[column].cells.isNull(row);
}

QVariant RowStore::value(int row, int column) const
{
    const Column& c = m_columns[column];
    if (c.cells.isNull(row))
        return {};
    const quint64 slot = c.cells.slot(row);
    switch (c.type) {
    case FieldType::Boolean:
        return QVariant(slot != 0);
    case FieldType::Integer:
        return QVariant(qint64(slot));
    case FieldType::Float:
    case FieldType::Decimal:
        return QVariant(toDouble(slot));
    case FieldType::Date:
        return QVariant(QDate::fromJulianDay(qint64(slot)));
    case FieldType::DateTime:
        return QVariant(temporal::fromSlot(qint64(slot)));
    case FieldType::Binary:
        return QVariant(
            QByteArray(m_textPool.constData() + (slot >> lengthBits), qsizetype(slot & lengthMask)));
    case FieldType::Text:
    case FieldType::Memo:
    case FieldType::Unknown:
        break;
    }
    return QVariant(text(slot));
}

void RowStore::setValue(int row, int column, const QVariant& value)
{
    Column& c = m_columns[column];
    if (value.isNull()) {
        c.cells.set(row, 0, true);
        return;
    }
    switch (c.type) {
    case FieldType::Boolean:
        c.cells.set(row, value.toBool() ? 1 : 0, false);
        return;
    case FieldType::Integer:
        c.cells.set(row, quint64(value.toLongLong()), false);
        return;
    case FieldType::Float:
    case FieldType::Decimal:
        c.cells.set(row, fromDouble(value.toDouble()), false);
        return;
    case FieldType::Date:
        c.cells.set(row, quint64(value.toDate().toJulianDay()), false);
        return;
    case FieldType::DateTime:
        c.cells.set(row, quint64(temporal::toSlot(value.toDateTime())), false);
        return;
    case FieldType::Binary:
        c.cells.set(row, storeText(value.toByteArray()), false);
        return;
    case FieldType::Text:
    case FieldType::Memo:
    case FieldType::Unknown:
        break;
    }
    c.cells.set(row, storeText(value.toString().toUtf8()), false);
}

qint64 RowStore::sortKey(int row, int column) const
{
    const qint64 slot = qint64(m_columns[column].cells.slot(row));
    const FieldType type = m_columns[column].type;
    // A double's bits order as signed integers once the magnitude bits of negatives are flipped.
    if (type == FieldType::Float || type == FieldType::Decimal)
        return slot < 0 ? slot ^ std::numeric_limits<qint64>::max() : slot;
    // Dates and date-times are wall-clock days and milliseconds: their order is that of the numbers.
    return slot;
}

quint64 RowStore::storeText(QByteArrayView utf8)
{
    const quint64 offset = quint64(m_textPool.size());
    const quint64 length = quint64(qMin<qsizetype>(utf8.size(), qsizetype(lengthMask)));
    m_textPool.append(utf8.data(), qsizetype(length));
    return (offset << lengthBits) | length;
}

QString RowStore::text(quint64 slot) const
{
    return QString::fromUtf8(m_textPool.constData() + (slot >> lengthBits), qsizetype(slot & lengthMask));
}

qsizetype RowStore::memoryUsage() const
{
    qsizetype bytes = m_textPool.capacity();
    for (const Column& column : m_columns)
        bytes += column.cells.memoryUsage();
    return bytes;
}

} // namespace zeb
