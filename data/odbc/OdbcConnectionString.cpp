#include "data/odbc/OdbcConnectionString.h"

#include "data/DatabaseError.h"

#include <QStringList>

namespace zeb {

namespace {

// FreeTDS 1.3 reads a value in braces up to the first "};", every other character as it stands ("}}" is two
// braces), and a plain value up to the next ';'. So braces only where ';' or a leading '{' needs them, and
// each braced value is followed by another attribute.
QString attributeValue(const QString& value, const QString& what)
{
    if (!value.contains(QLatin1Char(';')) && !value.startsWith(QLatin1Char('{')))
        return value;
    if (value.contains(QLatin1String("};")))
        throw DatabaseError(
            QStringLiteral("%1 содержит «};»: такое значение драйвер FreeTDS не может передать серверу.")
                .arg(what));
    return QLatin1Char('{') + value + QLatin1Char('}');
}

} // namespace

QString odbcConnectionString(const ConnectionParams& params, const QString& encryption)
{
    // FreeTDS takes an instance in SERVER but a port only in its own attribute.
    const qsizetype comma = params.dataSource.lastIndexOf(QLatin1Char(','));
    const QString server = comma < 0 ? params.dataSource : params.dataSource.left(comma).trimmed();
    QStringList attributes{QStringLiteral("DRIVER={FreeTDS}"),
                           QStringLiteral("SERVER=") + attributeValue(server, QStringLiteral("Имя сервера"))};
    if (comma >= 0)
        attributes.append(QStringLiteral("PORT=") + attributeValue(params.dataSource.mid(comma + 1).trimmed(),
                                                                   QStringLiteral("Порт сервера")));
    attributes << QStringLiteral("DATABASE=") +
                      attributeValue(params.initialCatalog, QStringLiteral("Имя базы данных"))
               << QStringLiteral("UID=") + attributeValue(params.userId, QStringLiteral("Имя пользователя"))
               << QStringLiteral("PWD=") + attributeValue(params.password, QStringLiteral("Пароль"))
               // 7.4 is SQL Server 2012 and later, the oldest the server scripts run on; from 7.3 on, date
               // columns come back as dates rather than texts.
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
