#include "data/dataset/RowStore.h"

#include "data/dataset/DecimalText.h"
#include "data/ResultCursor.h"
#include "data/dataset/TemporalText.h"
#include "sqlite/SqliteCursor.h"

#include <QDateTime>
#include <QtNumeric>
#include <cstring>
#include <limits>

namespace zeb {

namespace {

// A text slot holds the pool offset in its upper 40 bits and the byte length in the lower 24.
constexpr int lengthBits = 24;
constexpr quint64 lengthMask = (quint64(1) << lengthBits) - 1;

// A decimal slot holds its units shifted left by one, or a text slot shifted left by one with this bit set.
constexpr quint64 decimalTextBit = 1;
constexpr qint64 unitLimit = (qint64(1) << 62) - 1;
// 10^18 still fits a slot's units; a finer decimal is kept as text.
constexpr int maxScale = 18;

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

// A double's bits order as signed integers once the magnitude bits of negatives are flipped.
qint64 orderOf(double value)
{
    const qint64 bits = qint64(fromDouble(value));
    return bits < 0 ? bits ^ std::numeric_limits<qint64>::max() : bits;
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
    m_textPool.clear();
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
    // The embedded engine's cells are read in place: a call through the cursor's interface for each of
    // them would cost a good part of what reading them costs.
    if (auto* sqlite = dynamic_cast<SqliteCursor*>(&cursor))
        loadRows(*sqlite, sourceColumns);
    else
        loadRows(cursor, sourceColumns);
    m_textPool.squeeze();
}

template <typename Cursor> void RowStore::loadRows(Cursor& cursor, const std::vector<int>& sourceColumns)
{
    const size_t count = m_columns.size();
    while (cursor.next()) {
        for (size_t c = 0; c < count; ++c) {
            Column& column = m_columns[c];
            const int source = sourceColumns[c];
            if (source < 0 || cursor.isNull(source))
                column.cells.append(0, true);
            else
                column.cells.append(loadCell(column, cursor, source), false);
        }
        ++m_rowCount;
    }
}

void RowStore::setRow(int row, const ResultCursor& cursor, const std::vector<int>& sourceColumns)
{
    for (int c = 0; c < columnCount(); ++c) {
        const int source = sourceColumns[c];
        if (source < 0)
            continue;
        Column& column = m_columns[c];
        if (cursor.isNull(source))
            column.cells.set(row, 0, true);
        else
            column.cells.set(row, loadCell(column, cursor, source), false);
    }
}

template <typename Cursor> quint64 RowStore::loadCell(Column& column, const Cursor& cursor, int source)
{
    switch (column.type) {
    case FieldType::Boolean:
    case FieldType::Integer:
        return quint64(cursor.toInt64(source));
    case FieldType::Float:
        return fromDouble(cursor.toDouble(source));
    case FieldType::Decimal:
        if (const std::optional<qint64> units = wholeUnits(column, cursor, source))
            return quint64(*units) << 1;
        return storeDecimal(column, decimal::read(cursor, source));
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
        return QVariant(toDouble(slot));
    case FieldType::Decimal:
        return QVariant(QString::fromUtf8(decimalText(c, slot)));
    case FieldType::Date:
        return QVariant(QDate::fromJulianDay(qint64(slot)));
    case FieldType::DateTime:
        return QVariant(temporal::fromSlot(qint64(slot)));
    case FieldType::Binary:
        return QVariant(
            QByteArray(m_textPool.at(qsizetype(slot >> lengthBits)), qsizetype(slot & lengthMask)));
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
        c.cells.set(row, fromDouble(value.toDouble()), false);
        return;
    case FieldType::Decimal: {
        const QByteArray number = decimal::ofVariant(value);
        c.cells.set(row, storeDecimal(c, number.isEmpty() ? value.toString().toUtf8() : number), false);
        return;
    }
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
    const Column& c = m_columns[column];
    const quint64 slot = c.cells.slot(row);
    switch (c.type) {
    case FieldType::Float:
        return orderOf(toDouble(slot));
    case FieldType::Decimal: {
        // Units of one scale order as numbers; with texts among them the order is that of doubles.
        if (!c.anyText)
            return qint64(slot) >> 1;
        const QByteArray number = decimalText(c, slot);
        const double infinity = std::numeric_limits<double>::infinity();
        return orderOf(decimal::toDouble(number).value_or(number.startsWith('-') ? -infinity : infinity));
    }
    default:
        break;
    }
    // Dates and date-times are wall-clock days and milliseconds: their order is that of the numbers.
    return qint64(slot);
}

// Keys and grades are whole numbers: they go straight into units.
std::optional<qint64> RowStore::wholeUnits(const Column& column, const ResultCursor& cursor, int source)
{
    std::optional<qint64> units = cursor.wholeNumber(source);
    for (int s = 0; units && s < column.scale; ++s) {
        if (qMulOverflow(*units, qint64(10), &*units))
            units.reset();
    }
    if (units && qAbs(*units) > unitLimit)
        units.reset();
    return units;
}

quint64 RowStore::storeDecimal(Column& column, const QByteArray& number)
{
    const int scale = decimal::scaleOf(number);
    if (scale > column.scale && scale <= maxScale)
        widenScale(column, scale);
    if (const std::optional<qint64> units = decimal::toUnits(number, column.scale, unitLimit))
        return quint64(*units) << 1;
    column.anyText = true;
    return (storeText(number) << 1) | decimalTextBit;
}

void RowStore::widenScale(Column& column, int scale)
{
    qint64 factor = 1;
    for (int s = column.scale; s < scale; ++s)
        factor *= 10;
    SlotColumn& cells = column.cells;
    const auto holdsUnits = [&cells](int row) {
        return !cells.isNull(row) && !(cells.slot(row) & decimalTextBit);
    };
    const auto widened = [&cells, factor](int row, qint64& units) {
        return !qMulOverflow(qint64(cells.slot(row)) >> 1, factor, &units) && qAbs(units) <= unitLimit;
    };
    qint64 units = 0;
    for (int row = 0; row < cells.size(); ++row) {
        if (holdsUnits(row) && !widened(row, units))
            return;
    }
    for (int row = 0; row < cells.size(); ++row) {
        if (holdsUnits(row) && widened(row, units))
            cells.set(row, quint64(units) << 1, false);
    }
    column.scale = scale;
}

QByteArray RowStore::decimalText(const Column& column, quint64 slot) const
{
    if (!(slot & decimalTextBit))
        return decimal::fromUnits(qint64(slot) >> 1, column.scale);
    const quint64 text = slot >> 1;
    return QByteArray(m_textPool.at(qsizetype(text >> lengthBits)), qsizetype(text & lengthMask));
}

quint64 RowStore::storeText(QByteArrayView utf8)
{
    const quint64 length = quint64(qMin<qsizetype>(utf8.size(), qsizetype(lengthMask)));
    const quint64 offset = quint64(m_textPool.append(utf8.data(), qsizetype(length)));
    return (offset << lengthBits) | length;
}

QString RowStore::text(quint64 slot) const
{
    return QString::fromUtf8(m_textPool.at(qsizetype(slot >> lengthBits)), qsizetype(slot & lengthMask));
}

qsizetype RowStore::memoryUsage() const
{
    qsizetype bytes = m_textPool.capacity();
    for (const Column& column : m_columns)
        bytes += column.cells.memoryUsage();
    return bytes;
}

} // namespace zeb
