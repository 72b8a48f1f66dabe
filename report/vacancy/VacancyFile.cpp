#include "report/vacancy/VacancyFile.h"

#include "report/ListFile.h"
#include "report/vacancy/VacancyHtml.h"
#include "report/vacancy/VacancyPdf.h"
#include "report/vacancy/VacancyXlsx.h"

namespace zeb {

namespace {

const auto document = QStringLiteral("Вакансии");

} // namespace

void checkVacancyFile(const QString& path)
{
    checkListFile(path, document);
}

void writeVacancyReport(const VacancyReport& report, const QString& path)
{
    writeListFile(
        path, document, [&] { return vacancyHtml(report); },
        [&](const QString& file) { writeVacancyXlsx(report, file); },
        [&](const QString& file) { writeVacancyPdf(report, file); });
}

} // namespace zeb
