#include "OdbcMessage.h"

#include <QRegularExpression>
#include <QSqlError>

namespace zeb {

QString withoutDriverPrefixes(const QString& message)
{
    // The driver joins its records with blanks, each led by "[vendor][component]": the first lead is dropped,
    // the others start a line of their own. A bracket inside the server's words ('[dbo].[x]') is not a lead.
    static const QRegularExpression lead(QStringLiteral("(^|\\s+)(\\[[^\\[\\]'\"]*\\])+\\s*"));
    QString text = message.trimmed();
    QString result;
    qsizetype copied = 0;
    QRegularExpressionMatchIterator it = lead.globalMatch(text);
    while (it.hasNext()) {
        const QRegularExpressionMatch match = it.next();
        result += QStringView(text).mid(copied, match.capturedStart() - copied);
        if (!result.isEmpty())
            result += QLatin1Char('\n');
        copied = match.capturedEnd();
    }
    result += QStringView(text).mid(copied);
    return result.trimmed();
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
