#include "RowStore.h"

#include "ResultCursor.h"
#include "TemporalText.h"

#include <QDateTime>
#include <cstring>

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
        m_columns.push_back(Column{type, {}, {}});
}

void RowStore::clear()
{
    for (Column& column : m_columns) {
        column.slots.clear();
        column.nulls.clear();
    }
    m_textPool.clear();
    m_rowCount = 0;
}

int RowStore::appendRow()
{
    for (Column& column : m_columns) {
        column.slots.push_back(0);
        column.nulls.push_back(true);
    }
    return m_rowCount++;
}

void RowStore::load(ResultCursor& cursor, const std::vector<int>& sourceColumns)
{
    while (cursor.next()) {
        for (int c = 0; c < columnCount(); ++c) {
            Column& column = m_columns[c];
            const int source = sourceColumns[c];
            if (source < 0 || cursor.isNull(source)) {
                column.slots.push_back(0);
                column.nulls.push_back(true);
            } else {
                loadCell(column, cursor, source);
                column.nulls.push_back(false);
            }
        }
        ++m_rowCount;
    }
    // Growth leaves up to half of every column unused; a loaded result is kept as it is.
    for (Column& column : m_columns) {
        column.slots.shrink_to_fit();
        column.nulls.shrink_to_fit();
    }
    m_textPool.squeeze();
}

void RowStore::loadCell(Column& column, const ResultCursor& cursor, int source)
{
    switch (column.type) {
    case FieldType::Boolean:
    case FieldType::Integer:
        column.slots.push_back(quint64(cursor.toInt64(source)));
        return;
    case FieldType::Float:
    case FieldType::Decimal:
        column.slots.push_back(fromDouble(cursor.toDouble(source)));
        return;
    case FieldType::Date:
        column.slots.push_back(quint64(temporal::parseDate(cursor.utf8Text(source)).toJulianDay()));
        return;
    case FieldType::DateTime:
        column.slots.push_back(quint64(temporal::parseDateTimeSlot(cursor.utf8Text(source))));
        return;
    case FieldType::Binary:
        column.slots.push_back(storeText(cursor.value(source).toByteArray()));
        return;
    case FieldType::Text:
    case FieldType::Memo:
    case FieldType::Unknown:
        break;
    }
    column.slots.push_back(storeText(cursor.utf8Text(source)));
}

bool RowStore::isNull(int row, int column) const
{
    return m_columns[column].nulls[row];
}

QVariant RowStore::value(int row, int column) const
{
    const Column& c = m_columns[column];
    if (c.nulls[row])
        return {};
    const quint64 slot = c.slots[row];
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
        c.nulls[row] = true;
        c.slots[row] = 0;
        return;
    }
    c.nulls[row] = false;
    switch (c.type) {
    case FieldType::Boolean:
        c.slots[row] = value.toBool() ? 1 : 0;
        return;
    case FieldType::Integer:
        c.slots[row] = quint64(value.toLongLong());
        return;
    case FieldType::Float:
    case FieldType::Decimal:
        c.slots[row] = fromDouble(value.toDouble());
        return;
    case FieldType::Date:
        c.slots[row] = quint64(value.toDate().toJulianDay());
        return;
    case FieldType::DateTime:
        c.slots[row] = quint64(temporal::toSlot(value.toDateTime()));
        return;
    case FieldType::Binary:
        c.slots[row] = storeText(value.toByteArray());
        return;
    case FieldType::Text:
    case FieldType::Memo:
    case FieldType::Unknown:
        break;
    }
    c.slots[row] = storeText(value.toString().toUtf8());
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
        bytes += qsizetype(column.slots.capacity() * sizeof(quint64) + column.nulls.capacity() / 8);
    return bytes;
}

} // namespace zeb
