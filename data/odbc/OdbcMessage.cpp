#include "OdbcMessage.h"

#include <QSqlError>

namespace zeb {

QString withoutDriverPrefixes(const QString& message)
{
    QString text = message.trimmed();
    while (text.startsWith(QLatin1Char('['))) {
        const qsizetype end = text.indexOf(QLatin1Char(']'));
        if (end < 0)
            break;
        text = text.mid(end + 1).trimmed();
    }
    return text;
}

QString odbcErrorText(const QSqlError& error)
{
    const QString server = withoutDriverPrefixes(error.databaseText());
    if (!server.isEmpty())
        return server;
    const QString driver = withoutDriverPrefixes(error.driverText());
    return driver.isEmpty() ? QStringLiteral("Ошибка драйвера ODBC.") : driver;
}

} // namespace zeb
