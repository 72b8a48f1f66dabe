#include "tools/Arguments.h"
#include "tools/ClientSignIn.h"
#include "tools/Commands.h"
#include "data/Connection.h"
#include "tools/Console.h"
#include "report/ReportFile.h"
#include "report/ScheduleReport.h"
#include "data/dataset/ValueText.h"

#include <QDir>

namespace zeb {

namespace {

QDate dayOf(const QString& text)
{
    const QDate day = QDate::fromString(text, QStringLiteral("dd.MM.yyyy"));
    if (!day.isValid())
        throw UsageError(
            QStringLiteral("дата --as-of «%1» не распознана: ожидается ДД.ММ.ГГГГ, например 01.09.2024.")
                .arg(text));
    return day;
}

// Checked before signing in, so that a mistyped name costs no reading.
void checkReportFile(const QString& path)
{
    try {
        reportFormat(path);
    } catch (const Error& error) {
        throw UsageError(error.message());
    }
}

} // namespace

int runReport(const QStringList& words)
{
    const Arguments arguments(words,
                              {QStringLiteral("login"), QStringLiteral("password"), QStringLiteral("as-of"),
                               QStringLiteral("out"), QStringLiteral("unit")});
    arguments.expectPositional({QStringLiteral("папка установки DIR")});
    const QDate day = dayOf(arguments.required(QStringLiteral("as-of")));
    const QString file = arguments.required(QStringLiteral("out"));
    checkReportFile(file);
    const QString login = arguments.required(QStringLiteral("login"));
    const QString password = arguments.required(QStringLiteral("password"));

    Connection connection;
    signInAsClient(connection, arguments.positional().at(0), login, password);
    const ScheduleReport report =
        loadScheduleReport(connection, day, arguments.value(QStringLiteral("unit")));
    connection.close();
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
