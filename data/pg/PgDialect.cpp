#include "data/pg/PgDialect.h"

namespace zeb {

const Dialect& PgDialect::instance()
{
    static const PgDialect dialect;
    return dialect;
}

QString PgDialect::placeholder(int index) const
{
    return QLatin1Char('$') + QString::number(index + 1);
}

QString PgDialect::quoteIdentifier(const QString& name) const
{
    return doubleQuoted(name.toLower());
}

QString PgDialect::clientTable(const QString& name) const
{
    return QStringLiteral("dbo.") + quoteIdentifier(name);
}

// The server finds a key compared with '=' through its index; IS NOT DISTINCT FROM reads the table.
Dialect::Comparison PgDialect::unchanged(FieldType, bool key, bool readNull) const
{
    return key && !readNull ? Comparison::Equal : Comparison::NotDistinct;
}

// The row is held until the transaction ends.
QString PgDialect::rowLock() const
{
    return QStringLiteral(" FOR UPDATE");
}

} // namespace zeb
