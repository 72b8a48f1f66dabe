#include "data/Connection.h"
#include "data/dataset/ValueText.h"
#include "report/ReportFile.h"
#include "report/ScheduleReport.h"
#include "tools/Arguments.h"
#include "tools/ClientSignIn.h"
#include "tools/Commands.h"
#include "tools/Console.h"

#include <QDir>

namespace zeb {

namespace {

FormDetails formDetails(const Arguments& arguments)
{
    FormDetails details;
    details.documentNumber = arguments.value(QStringLiteral("number"));
    details.compiledOn = arguments.optionalDay(QStringLiteral("compiled"));
    details.periodFrom = arguments.optionalDay(QStringLiteral("period-from"));
    details.periodTo = arguments.optionalDay(QStringLiteral("period-to"));
    details.approvedOn = arguments.optionalDay(QStringLiteral("approved-on"));
    details.approvalOrder = arguments.value(QStringLiteral("approval-order"));
    if (details.periodFrom.isValid() && details.periodTo.isValid() && details.periodFrom > details.periodTo)
        throw UsageError(QStringLiteral("период указан наоборот: --period-from позже --period-to."));
    return details;
}

} // namespace

int runReport(const QStringList& words)
{
    const Arguments arguments(words, {QStringLiteral("login"), QStringLiteral("password"),
                                      QStringLiteral("as-of"), QStringLiteral("out"), QStringLiteral("unit"),
                                      QStringLiteral("number"), QStringLiteral("compiled"),
                                      QStringLiteral("period-from"), QStringLiteral("period-to"),
                                      QStringLiteral("approved-on"), QStringLiteral("approval-order")});
    arguments.expectPositional({QStringLiteral("папка установки DIR")});
    const QDate day = arguments.requiredDay(QStringLiteral("as-of"));
    const FormDetails details = formDetails(arguments);
    const QString file =
        arguments.requiredFile(QStringLiteral("out"), [](const QString& path) { reportFormat(path); });

    Connection connection;
    signInAsClient(connection, arguments);
    ScheduleReport report = loadScheduleReport(connection, day, arguments.value(QStringLiteral("unit")));
    connection.close();
    report.details = details;
    writeReport(report, file);
    console::print(
        QStringLiteral("Штатное расписание на %1 записано в «%2»: подразделений %3, строк %4, "
                       "штатных единиц %5.")
            .arg(day.toString(QStringLiteral("dd.MM.yyyy")), QDir::toNativeSeparators(file))
            .arg(report.groups.size())
            .arg(report.lineCount)
            .arg(valuetext::toDisplay(report.totalUnits, FieldType::Float, QStringLiteral("0.##"))));
    return 0;
}

} // namespace zeb
