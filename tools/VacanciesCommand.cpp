#include "data/Connection.h"
#include "report/vacancy/VacancyFile.h"
#include "report/vacancy/VacancyReport.h"
#include "tools/Arguments.h"
#include "tools/ClientSignIn.h"
#include "tools/Commands.h"
#include "tools/Console.h"

#include <QDir>

namespace zeb {

int runVacancies(const QStringList& words)
{
    const Arguments arguments(words, {QStringLiteral("login"), QStringLiteral("password"),
                                      QStringLiteral("as-of"), QStringLiteral("out")});
    arguments.expectPositional({QStringLiteral("папка установки DIR")});
    const QDate day = arguments.requiredDay(QStringLiteral("as-of"));
    const QString file = arguments.requiredFile(QStringLiteral("out"), checkVacancyFile);

    Connection connection;
    signInAsClient(connection, arguments);
    const VacancyReport report = loadVacancyReport(connection, day);
    connection.close();
    writeVacancyReport(report, file);
    console::print(
        QStringLiteral("Вакансии на %1 записаны в «%2»: штатных единиц %3, занято %4, вакантно %5, "
                       "сверх штата %6.")
            .arg(day.toString(QStringLiteral("dd.MM.yyyy")), QDir::toNativeSeparators(file),
                 hundredthsText(report.total.units), hundredthsText(report.total.occupied),
                 hundredthsText(report.total.vacant), hundredthsText(report.total.over)));
    return 0;
}

} // namespace zeb
