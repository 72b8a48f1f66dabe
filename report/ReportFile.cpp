#include "report/ReportFile.h"

#include "platform/Error.h"
#include "report/ReportHtml.h"
#include "report/ReportPdf.h"
#include "report/ReportXlsx.h"
#include "report/SavedFile.h"

#include <QDir>
#include <QFileInfo>
#include <QIODevice>

namespace zeb {

ReportFormat reportFormat(const QString& path)
{
    const QString extension = QFileInfo(path).suffix().toLower();
    if (extension == QLatin1String("pdf"))
        return ReportFormat::Pdf;
    if (extension == QLatin1String("html") || extension == QLatin1String("htm"))
        return ReportFormat::Html;
    if (extension == QLatin1String("xlsx"))
        return ReportFormat::Xlsx;
    throw Error(QStringLiteral("Отчёт записывается в файл .pdf, .html, .htm или .xlsx, а не «%1».")
                    .arg(QDir::toNativeSeparators(path)));
}

void writeReport(const ScheduleReport& report, const QString& path)
{
    switch (reportFormat(path)) {
    case ReportFormat::Pdf:
        writeReportPdf(report, path);
        break;
    case ReportFormat::Html: {
        const QByteArray page = reportHtml(report).toUtf8();
        saveFile(path, [&](QIODevice& file) { file.write(page); });
        break;
    }
    case ReportFormat::Xlsx:
        writeReportXlsx(report, path);
        break;
    }
}

} // namespace zeb
