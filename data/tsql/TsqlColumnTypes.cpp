#include "data/tsql/TsqlColumnTypes.h"

namespace zeb {

void TsqlColumnTypes::add(const QString& table, const QString& column, FieldType type)
{
    m_tables[table.toLower()].insert(column.toLower(), type);
}

std::optional<FieldType> TsqlColumnTypes::type(const QString& table, const QString& column) const
{
    const auto found = m_tables.constFind(table.toLower());
    if (found == m_tables.constEnd())
        return std::nullopt;
    const auto columnType = found->constFind(column.toLower());
    if (columnType == found->constEnd())
        return std::nullopt;
    return *columnType;
}

} // namespace zeb
