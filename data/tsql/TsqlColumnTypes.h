#pragma once

#include "data/ColumnInfo.h"

#include <QHash>
#include <QString>
#include <optional>

namespace zeb {

// The declared types of the database's columns, by table and column name in any letter case: what tells a
// date column from a text column when the client's literals are translated. Each translating engine reads
// them from its catalog.
class TsqlColumnTypes
{
public:
    void add(const QString& table, const QString& column, FieldType type);
    // Nothing when the table has no such column or is not known.
    std::optional<FieldType> type(const QString& table, const QString& column) const;

private:
    QHash<QString, QHash<QString, FieldType>> m_tables;
};

} // namespace zeb
