#include "data/odbc/OdbcCursor.h"

#include <QDateTime>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>
#include <sqlext.h>

namespace zeb {

namespace {

// Beyond this a SQL Server text column is a long text (varchar(max), text).
constexpr int longestShortText = 8000;

FieldType textType(const QSqlField& field)
{
    const int sqlType = field.typeID();
    const bool longText = sqlType == SQL_LONGVARCHAR || sqlType == SQL_WLONGVARCHAR || field.length() <= 0 ||
                          field.length() > longestShortText;
    return longText ? FieldType::Memo : FieldType::Text;
}

ColumnInfo describe(const QSqlField& field)
{
    ColumnInfo column{field.name(), FieldType::Text, 0};
    switch (field.metaType().id()) {
    case QMetaType::Bool:
        column.type = FieldType::Boolean;
        break;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::SChar:
    case QMetaType::UChar:
        column.type = FieldType::Integer;
        break;
    case QMetaType::Double:
    case QMetaType::Float:
        column.type = field.typeID() == SQL_NUMERIC || field.typeID() == SQL_DECIMAL ? FieldType::Decimal
                                                                                     : FieldType::Float;
        break;
    case QMetaType::QDate:
        column.type = FieldType::Date;
        break;
    case QMetaType::QDateTime:
        column.type = FieldType::DateTime;
        break;
    case QMetaType::QByteArray:
        column.type = FieldType::Binary;
        break;
    case QMetaType::QString:
        column.type = textType(field);
        column.size = column.type == FieldType::Text ? field.length() : 0;
        break;
    default:
        break;
    }
    return column;
}

} // namespace

OdbcCursor::OdbcCursor(std::shared_ptr<QSqlQuery> query) : m_query(std::move(query))
{
    const QSqlRecord record = m_query->record();
    m_columns.reserve(record.count());
    for (int column = 0; column < record.count(); ++column)
        m_columns.append(describe(record.field(column)));
}

OdbcCursor::~OdbcCursor() = default;

bool OdbcCursor::next()
{
    return m_query->next();
}

bool OdbcCursor::isNull(int column) const
{
    return m_query->isNull(column);
}

qint64 OdbcCursor::toInt64(int column) const
{
    return m_query->value(column).toLongLong();
}

double OdbcCursor::toDouble(int column) const
{
    return m_query->value(column).toDouble();
}

QString OdbcCursor::toText(int column) const
{
    return m_query->value(column).toString();
}

QVariant OdbcCursor::value(int column) const
{
    if (column < 0 || column >= m_columns.size())
        return {};
    const QVariant raw = m_query->value(column);
    if (raw.isNull())
        return {};
    switch (m_columns[column].type) {
    case FieldType::Boolean:
        return raw.toBool();
    case FieldType::Integer:
        return raw.toLongLong();
    case FieldType::Float:
    case FieldType::Decimal:
        return raw.toDouble();
    case FieldType::Date:
        return raw.toDate();
    case FieldType::DateTime:
        return raw.toDateTime();
    case FieldType::Binary:
        return raw.toByteArray();
    case FieldType::Unknown:
    case FieldType::Text:
    case FieldType::Memo:
        break;
    }
    return raw.toString();
}

} // namespace zeb
