#include "data/odbc/OdbcMessage.h"

#include "data/FaultClassifier.h"

#include <QRegularExpression>
#include <QSqlError>
#include <QStringList>

namespace zeb {

QString withoutDriverPrefixes(const QString& message)
{
    // A record starts the text with one or more bracketed names, or follows a space with two or more: a
    // single bracketed name inside a message ("object [dbo].[x]", "column [id]") stays.
    static const QRegularExpression recordStart(
        QStringLiteral("^\\s*(?:\\[[^\\[\\]]*\\])+|\\s(?:\\[[^\\[\\]]*\\]){2,}"));
    QStringList records;
    for (const QString& part : message.split(recordStart, Qt::SkipEmptyParts)) {
        const QString record = part.trimmed();
        if (!record.isEmpty() && !records.contains(record))
            records.append(record);
    }
    return records.join(QLatin1Char('\n'));
}

QString odbcErrorText(const QSqlError& error)
{
    if (const QString server = withoutDriverPrefixes(error.databaseText()); !server.isEmpty())
        return server;
    static const QRegularExpression qtPrefix(QStringLiteral("^\\s*QODBC\\d*:\\s*"));
    const QString driver = withoutDriverPrefixes(error.driverText()).remove(qtPrefix);
    return driver.isEmpty() ? QStringLiteral("Ошибка драйвера ODBC.") : driver;
}

// Qt gives the records' SQLSTATEs joined by ';'.
EngineFailure odbcFailure(const QSqlError& error, const QString& server, QStringView sql)
{
    EngineFailure failure;
    failure.engineText = odbcErrorText(error);
    failure.database = server;
    const bool deleting = faults::deletesRows(sql);
    for (const QString& state : error.nativeErrorCode().split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        failure.fault = faults::ofSqlState(state.trimmed().toLatin1(), deleting);
        if (failure.fault != DatabaseFault::Other)
            break;
    }
    return failure;
}

} // namespace zeb
