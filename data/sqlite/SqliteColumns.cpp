#include "data/sqlite/SqliteColumns.h"

#include <sqlite3.h>

namespace zeb::sqlitecolumns {

namespace {

// The first number in parentheses: 30 of "VARCHAR(30)", 0 when there is none.
int declaredSize(const QString& type)
{
    const qsizetype open = type.indexOf(QLatin1Char('('));
    if (open < 0)
        return 0;
    qsizetype end = open + 1;
    while (end < type.size() && type.at(end).isDigit())
        ++end;
    return type.mid(open + 1, end - open - 1).trimmed().toInt();
}

FieldType typeOf(const QString& type)
{
    const auto has = [&type](const char* word) { return type.contains(QLatin1String(word)); };
    if (has("INT"))
        return FieldType::Integer;
    if (has("CHAR") || has("TEXT") || has("CLOB"))
        return FieldType::Text;
    if (has("DATETIME") || has("TIMESTAMP"))
        return FieldType::DateTime;
    if (has("DATE"))
        return FieldType::Date;
    if (has("FLOAT") || has("REAL") || has("DOUBLE"))
        return FieldType::Float;
    if (has("NUMERIC") || has("DECIMAL"))
        return FieldType::Decimal;
    if (has("BLOB"))
        return FieldType::Binary;
    if (has("BOOL") || has("BIT"))
        return FieldType::Boolean;
    return FieldType::Unknown;
}

} // namespace

ColumnInfo fromDeclaredType(const QString& name, const char* declaredType)
{
    ColumnInfo column;
    column.name = name;
    if (!declaredType)
        return column;
    const QString type = QString::fromUtf8(declaredType).toUpper();
    column.type = typeOf(type);
    if (column.type == FieldType::Text) {
        column.size = declaredSize(type);
        if (column.size == 0)
            column.type = FieldType::Memo;
    }
    return column;
}

ColumnList describe(sqlite3_stmt* statement)
{
    const int count = sqlite3_column_count(statement);
    ColumnList columns;
    columns.reserve(count);
    for (int i = 0; i < count; ++i)
        columns.append(fromDeclaredType(QString::fromUtf8(sqlite3_column_name(statement, i)),
                                        sqlite3_column_decltype(statement, i)));
    return columns;
}

} // namespace zeb::sqlitecolumns
