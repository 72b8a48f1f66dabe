#include "BuiltInReport.h"

#include "Error.h"
#include "Platform.h"
#include "ReportDateDialog.h"
#include "ReportFile.h"
#include "ScheduleReport.h"

#include <QCoreApplication>
#include <QDir>
#include <QProgressDialog>
#include <QStandardPaths>
#include <QUrl>

namespace zeb {

namespace {

QString reportPath(const QDate& asOf)
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::TempLocation);
    return QDir(folder).filePath(
        QStringLiteral("Штатное расписание на %1.pdf").arg(asOf.toString(QStringLiteral("dd.MM.yyyy"))));
}

} // namespace

void showBuiltInReport(QWidget* owner, Connection& connection)
{
    Platform& platform = Platform::instance();
    ReportDateDialog ask(platform.now().date(), owner);
    if (platform.runModal(ask) != ModalResult::Ok)
        return;
    const QDate asOf = ask.date();

    QProgressDialog progress(QStringLiteral("Формируется штатное расписание…"), QStringLiteral("Отмена"), 0,
                             0, owner);
    progress.setObjectName(QStringLiteral("ReportProgress"));
    progress.setWindowTitle(QStringLiteral("Штатное расписание"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    progress.setValue(0);
    const auto advance = [&progress](int done, int total) {
        progress.setMaximum(total);
        progress.setValue(done);
        QCoreApplication::processEvents();
        return !progress.wasCanceled();
    };
    const ScheduleReport report = loadScheduleReport(connection, asOf, {}, advance);
    const QString path = reportPath(asOf);
    writeReport(report, path);
    progress.reset();
    if (!platform.openUrl(QUrl::fromLocalFile(path).toString()))
        throw Error(QStringLiteral("Отчёт сохранён в файл «%1», но открыть его не удалось: на компьютере нет "
                                   "программы для просмотра PDF.")
                        .arg(QDir::toNativeSeparators(path)));
}

} // namespace zeb
