#include "report/vacancy/VacancyFile.h"

#include "platform/Error.h"
#include "report/SavedFile.h"
#include "report/vacancy/VacancyHtml.h"
#include "report/vacancy/VacancyPdf.h"
#include "report/vacancy/VacancyXlsx.h"

#include <QDir>
#include <QFileInfo>
#include <QIODevice>

namespace zeb {

void checkVacancyFile(const QString& path)
{
    const QString extension = QFileInfo(path).suffix().toLower();
    if (extension != QLatin1String("pdf") && extension != QLatin1String("html") &&
        extension != QLatin1String("htm") && extension != QLatin1String("xlsx"))
        throw Error(QStringLiteral("Вакансии записываются в файл .pdf, .xlsx, .html или .htm, а не «%1».")
                        .arg(QDir::toNativeSeparators(path)));
}

void writeVacancyReport(const VacancyReport& report, const QString& path)
{
    checkVacancyFile(path);
    const QString extension = QFileInfo(path).suffix().toLower();
    if (extension == QLatin1String("xlsx")) {
        writeVacancyXlsx(report, path);
        return;
    }
    if (extension == QLatin1String("pdf")) {
        writeVacancyPdf(report, path);
        return;
    }
    const QByteArray page = vacancyHtml(report).toUtf8();
    saveFile(path, [&](QIODevice& file) { file.write(page); });
}

} // namespace zeb
