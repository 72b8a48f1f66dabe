#include "Arguments.h"
#include "ClientSignIn.h"
#include "Commands.h"
#include "Connection.h"
#include "Console.h"
#include "CsvWriter.h"

#include <QFile>

namespace zeb {

namespace {

void printResult(StatementResult& result)
{
    if (!result.rows) {
        console::print(QStringLiteral("%1 rows affected").arg(qMax<qint64>(0, result.rowsAffected)));
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
    const QString login = arguments.required(QStringLiteral("login"));
    const QString password = arguments.required(QStringLiteral("password"));

    Connection connection;
    signInAsClient(connection, arguments.positional().at(0), login, password);
    StatementResult result = connection.run(arguments.positional().at(1));
    printResult(result);
    return 0;
}

} // namespace zeb
