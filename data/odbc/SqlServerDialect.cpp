#include "data/odbc/SqlServerDialect.h"

#include <QDate>
#include <QDateTime>

namespace zeb {

namespace {

// SQL Server takes a marker's type from how the driver binds it: a long text comes as ntext, which '='
// refuses; a date-time as datetime2, which never equals a stored datetime ending in .003 or .007. So each
// marker says the type it stands for. A decimal goes as its exact text, which the server reads into the
// column's own type.
QString sqlServerType(FieldType type)
{
    switch (type) {
    case FieldType::Boolean:
        return QStringLiteral("bit");
    case FieldType::Integer:
        return QStringLiteral("bigint");
    case FieldType::Float:
        return QStringLiteral("float");
    case FieldType::Text:
    case FieldType::Memo:
        return QStringLiteral("nvarchar(max)");
    case FieldType::Date:
        return QStringLiteral("date");
    case FieldType::DateTime:
        return QStringLiteral("datetime");
    case FieldType::Binary:
        return QStringLiteral("varbinary(max)");
    case FieldType::Decimal:
    case FieldType::Unknown:
        break;
    }
    return {};
}

// The type a NULL of the field is bound with: the server refuses an untyped one for float and date columns.
QMetaType boundType(FieldType type)
{
    switch (type) {
    case FieldType::Boolean:
        return QMetaType::fromType<bool>();
    case FieldType::Integer:
        return QMetaType::fromType<qlonglong>();
    case FieldType::Float:
        return QMetaType::fromType<double>();
    case FieldType::Date:
        return QMetaType::fromType<QDate>();
    case FieldType::DateTime:
        return QMetaType::fromType<QDateTime>();
    case FieldType::Binary:
        return QMetaType::fromType<QByteArray>();
    case FieldType::Decimal:
    case FieldType::Text:
    case FieldType::Memo:
    case FieldType::Unknown:
        break;
    }
    return QMetaType::fromType<QString>();
}

} // namespace

const Dialect& SqlServerDialect::instance()
{
    static const SqlServerDialect dialect;
    return dialect;
}

QString SqlServerDialect::quoteIdentifier(const QString& name) const
{
    QString quoted = name;
    return QLatin1Char('[') + quoted.replace(QLatin1Char(']'), QLatin1String("]]")) + QLatin1Char(']');
}

// OUTPUT without INTO is refused on a table with a trigger (the lines' history), so the stored row is read
// back by the identity this batch gave it; a trigger's own inserts do not change SCOPE_IDENTITY().
QString SqlServerDialect::insertReturning(const QString& table, const QStringList& names,
                                          const QStringList& markers, const QString& returned) const
{
    const QString readBack =
        QStringLiteral("; SELECT %1 FROM %2 WHERE $IDENTITY = SCOPE_IDENTITY()").arg(returned, table);
    if (names.isEmpty())
        return QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(table) + readBack;
    return QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
               .arg(table, names.join(QStringLiteral(", ")), markers.join(QStringLiteral(", "))) +
           readBack;
}

Dialect::Comparison SqlServerDialect::unchanged(FieldType, bool, bool readNull) const
{
    return readNull ? Comparison::IsNull : Comparison::Equal;
}

QString SqlServerDialect::typedMarker(FieldType type, int index) const
{
    const QString marker = placeholder(index);
    const QString typeName = sqlServerType(type);
    return typeName.isEmpty() ? marker : QStringLiteral("CAST(%1 AS %2)").arg(marker, typeName);
}

QVariant SqlServerDialect::typedValue(FieldType type, const QVariant& value) const
{
    return value.isNull() ? QVariant(boundType(type)) : value;
}

} // namespace zeb
