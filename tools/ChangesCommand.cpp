#include "data/Connection.h"
#include "report/FormTexts.h"
#include "report/change/ChangesFile.h"
#include "report/change/ChangesReport.h"
#include "report/vacancy/VacancyFigures.h"
#include "tools/Arguments.h"
#include "tools/ClientSignIn.h"
#include "tools/Commands.h"
#include "tools/Console.h"

#include <QDir>

namespace zeb {

namespace {

int listedLines(const ChangesReport& report, QList<ChangedLine> ChangesGroup::*list)
{
    int count = 0;
    for (const ChangesGroup& group : report.groups)
        count += int((group.*list).size());
    return count;
}

} // namespace

int runChanges(const QStringList& words)
{
    const Arguments arguments(words, {QStringLiteral("login"), QStringLiteral("password"),
                                      QStringLiteral("from"), QStringLiteral("to"), QStringLiteral("out")});
    arguments.expectPositional({QStringLiteral("папка установки DIR")});
    const QDate from = arguments.requiredDay(QStringLiteral("from"));
    const QDate to = arguments.requiredDay(QStringLiteral("to"));
    if (from > to)
        throw UsageError(formtexts::reversedPeriodText(from, to));
    const QString file = arguments.requiredFile(QStringLiteral("out"), checkChangesFile);

    Connection connection;
    signInAsClient(connection, arguments);
    const ChangesReport report = loadChangesReport(connection, from, to);
    connection.close();
    writeChangesReport(report, file);
    const ChangeFigures& total = report.total;
    console::print(
        QStringLiteral(
            "Изменения за период с %1 по %2 записаны в «%3»: строк введено %4, выведено %5, изменено "
            "%6; штатных единиц на начало %7, на конец %8.")
            .arg(formtexts::dateText(from), formtexts::dateText(to), QDir::toNativeSeparators(file))
            .arg(listedLines(report, &ChangesGroup::entered))
            .arg(listedLines(report, &ChangesGroup::withdrawn))
            .arg(listedLines(report, &ChangesGroup::changed))
            .arg(hundredthsText(total.start), hundredthsText(total.end)));
    return 0;
}

} // namespace zeb
