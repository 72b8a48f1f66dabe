#pragma once

#include "data/ColumnInfo.h"

#include <QHash>
#include <QString>
#include <optional>

namespace zeb {

class Engine;

// The declared types of the database's columns, by table and column name in any letter case: what tells a
// date column from a text column when the client's literals are translated.
class TsqlColumnTypes
{
public:
    void add(const QString& table, const QString& column, FieldType type);
    // Nothing when the table has no such column or is not known.
    std::optional<FieldType> type(const QString& table, const QString& column) const;

private:
    QHash<QString, QHash<QString, FieldType>> m_tables;
};

// The types of every table and view the engine's catalog shows in the client's schema.
TsqlColumnTypes readColumnTypes(Engine& engine);

} // namespace zeb
