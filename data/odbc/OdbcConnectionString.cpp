#include "OdbcConnectionString.h"

#include "DatabaseError.h"

#include <QStringList>

namespace zeb {

namespace {

// A value that would end its attribute early is wrapped in braces, '}' doubled.
QString attributeValue(const QString& value)
{
    if (!value.contains(QLatin1Char(';')) && !value.contains(QLatin1Char('{')) &&
        !value.contains(QLatin1Char('}')))
        return value;
    QString escaped = value;
    escaped.replace(QLatin1Char('}'), QLatin1String("}}"));
    return QLatin1Char('{') + escaped + QLatin1Char('}');
}

} // namespace

QString odbcConnectionString(const ConnectionParams& params, const QString& encryption)
{
    // FreeTDS takes an instance in SERVER but a port only in its own attribute.
    const qsizetype comma = params.dataSource.lastIndexOf(QLatin1Char(','));
    const QString server = comma < 0 ? params.dataSource : params.dataSource.left(comma).trimmed();
    QStringList attributes{QStringLiteral("DRIVER={FreeTDS}"),
                           QStringLiteral("SERVER=") + attributeValue(server)};
    if (comma >= 0)
        attributes.append(QStringLiteral("PORT=") +
                          attributeValue(params.dataSource.mid(comma + 1).trimmed()));
    attributes << QStringLiteral("DATABASE=") + attributeValue(params.initialCatalog)
               << QStringLiteral("UID=") + attributeValue(params.userId)
               << QStringLiteral("PWD=") + attributeValue(params.password)
               // 7.4 is SQL Server 2012 and later, the oldest the server scripts run on.
               << QStringLiteral("TDS_Version=7.4") << QStringLiteral("ClientCharset=UTF-8")
               << QStringLiteral("Encryption=") + encryption;
    return attributes.join(QLatin1Char(';'));
}

QString odbcEncryption()
{
    const QString chosen = qEnvironmentVariable("ZEB_MSSQL_ENCRYPTION").trimmed().toLower();
    if (chosen.isEmpty())
        return QStringLiteral("require");
    if (chosen == QLatin1String("require") || chosen == QLatin1String("request") ||
        chosen == QLatin1String("off"))
        return chosen;
    throw DatabaseError(QStringLiteral("Переменная окружения ZEB_MSSQL_ENCRYPTION задана как «%1»: допустимы "
                                       "require (по умолчанию), request или off.")
                            .arg(qEnvironmentVariable("ZEB_MSSQL_ENCRYPTION")));
}

} // namespace zeb
