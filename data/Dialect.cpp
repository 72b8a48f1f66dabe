#include "data/Dialect.h"

namespace zeb {

QString Dialect::placeholder(int) const
{
    return QStringLiteral("?");
}

QString Dialect::clientTable(const QString& name) const
{
    return quoteIdentifier(name);
}

QString Dialect::insertReturning(const QString& table, const QStringList& names, const QStringList& markers,
                                 const QString& returned) const
{
    if (names.isEmpty())
        return QStringLiteral("INSERT INTO %1 DEFAULT VALUES RETURNING %2").arg(table, returned);
    return QStringLiteral("INSERT INTO %1 (%2) VALUES (%3) RETURNING %4")
        .arg(table, names.join(QStringLiteral(", ")), markers.join(QStringLiteral(", ")), returned);
}

QString Dialect::typedMarker(FieldType, int index) const
{
    return placeholder(index);
}

QVariant Dialect::typedValue(FieldType, const QVariant& value) const
{
    return value;
}

QString Dialect::rowLock() const
{
    return {};
}

QString Dialect::doubleQuoted(const QString& name)
{
    QString quoted = name;
    return QLatin1Char('"') + quoted.replace(QLatin1Char('"'), QLatin1String("\"\"")) + QLatin1Char('"');
}

} // namespace zeb
