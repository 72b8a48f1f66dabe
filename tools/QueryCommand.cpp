#include "data/Connection.h"
#include "tools/Arguments.h"
#include "tools/ClientSignIn.h"
#include "tools/Commands.h"
#include "tools/Console.h"
#include "tools/CsvWriter.h"

#include <QFile>

namespace zeb {

namespace {

// Russian agreement: 1, 21, 101 строка; 2-4, 22-24 строки; 0, 5-20, 25-30, 111-114 строк.
QString rowsAffectedLine(qint64 rows)
{
    const qint64 lastTwo = rows % 100;
    const qint64 last = rows % 10;
    if (last == 1 && lastTwo != 11)
        return QStringLiteral("Затронута %1 строка.").arg(rows);
    if (last >= 2 && last <= 4 && (lastTwo < 12 || lastTwo > 14))
        return QStringLiteral("Затронуто %1 строки.").arg(rows);
    return QStringLiteral("Затронуто %1 строк.").arg(rows);
}

void printResult(StatementResult& result)
{
    if (!result.rows) {
        console::print(rowsAffectedLine(qMax<qint64>(0, result.rowsAffected)));
        return;
    }
    writeCsv(*result.rows, console::output());
    console::output().flush();
}

} // namespace

int runQuery(const QStringList& words)
{
    const Arguments arguments(words, {QStringLiteral("login"), QStringLiteral("password")});
    arguments.expectPositional({QStringLiteral("папка установки DIR"), QStringLiteral("оператор STATEMENT")});
    Connection connection;
    signInAsClient(connection, arguments);
    StatementResult result = connection.run(arguments.positional().at(1));
    printResult(result);
    return 0;
}

} // namespace zeb
