#pragma once

#include <QList>
#include <QString>

namespace zeb {

enum class FieldType
{
    Unknown,
    Boolean,
    Integer,
    Float,
    Decimal,
    Text,
    Memo,
    Date,
    DateTime,
    Binary,
};

// A result column as the engine reports it. size is the declared length of a text column, 0 when none.
struct ColumnInfo
{
    QString name;
    FieldType type = FieldType::Unknown;
    int size = 0;
};

using ColumnList = QList<ColumnInfo>;

} // namespace zeb
