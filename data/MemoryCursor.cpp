#include "data/MemoryCursor.h"

namespace zeb {

MemoryCursor::MemoryCursor(ColumnList columns, QList<QVariantList> rows)
    : m_columns(std::move(columns)), m_rows(std::move(rows))
{
}

bool MemoryCursor::next()
{
    if (m_current < m_rows.size())
        ++m_current;
    return m_current < m_rows.size();
}

QVariant MemoryCursor::cell(int column) const
{
    if (m_current < 0 || m_current >= m_rows.size())
        return {};
    const QVariantList& row = m_rows.at(m_current);
    if (column < 0 || column >= row.size())
        return {};
    return row.at(column);
}

bool MemoryCursor::isNull(int column) const
{
    const QVariant value = cell(column);
    return !value.isValid() || value.isNull();
}

qint64 MemoryCursor::toInt64(int column) const
{
    return cell(column).toLongLong();
}

double MemoryCursor::toDouble(int column) const
{
    return cell(column).toDouble();
}

QString MemoryCursor::toText(int column) const
{
    return cell(column).toString();
}

QVariant MemoryCursor::value(int column) const
{
    return cell(column);
}

} // namespace zeb
