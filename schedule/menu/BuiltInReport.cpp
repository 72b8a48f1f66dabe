#include "schedule/menu/BuiltInReport.h"

#include "platform/seam/Platform.h"
#include "schedule/menu/ReportDateDialog.h"
#include "report/ReportFile.h"
#include "report/ScheduleReport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProgressDialog>
#include <QStandardPaths>
#include <QUrl>

namespace zeb {

namespace {

const auto caption = QStringLiteral("Штатное расписание");

// Where the user chose to save the report, having agreed to replace a file of that name; empty when the
// user cancelled.
QString askReportPath(QWidget* owner, const QDate& asOf)
{
    Platform& platform = Platform::instance();
    QString proposed = proposedReportPath(asOf);
    for (;;) {
        const QString chosen = platform.saveFileName(owner, QStringLiteral("Сохранить штатное расписание"),
                                                     proposed, QStringLiteral("Документ PDF (*.pdf)"));
        if (chosen.isEmpty() || !QFileInfo::exists(chosen))
            return chosen;
        const QString question =
            QStringLiteral("Файл «%1» уже существует.\rЗаменить его?").arg(QDir::toNativeSeparators(chosen));
        if (platform.messageBox(owner, question, caption, MessageButtons::YesNo, MessageIcon::Question) ==
            MessageAnswer::Yes)
            return chosen;
        proposed = chosen;
    }
}

ScheduleReport loadWithProgress(QWidget* owner, Connection& connection, const QDate& asOf)
{
    QProgressDialog progress(QStringLiteral("Формируется штатное расписание…"), QStringLiteral("Отмена"), 0,
                             0, owner);
    progress.setObjectName(QStringLiteral("ReportProgress"));
    progress.setWindowTitle(caption);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    progress.setValue(0);
    const auto advance = [&progress](int done, int total) {
        progress.setMaximum(total);
        progress.setValue(done);
        QCoreApplication::processEvents();
        return !progress.wasCanceled();
    };
    return loadScheduleReport(connection, asOf, {}, advance);
}

} // namespace

QString proposedReportPath(const QDate& asOf)
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = QDir::homePath();
    return QDir(folder).filePath(
        QStringLiteral("Штатное расписание на %1.pdf").arg(asOf.toString(QStringLiteral("dd.MM.yyyy"))));
}

void showBuiltInReport(QWidget* owner, Connection& connection)
{
    Platform& platform = Platform::instance();
    ReportDateDialog ask(platform.now().date(), owner);
    if (platform.runModal(ask) != ModalResult::Ok)
        return;
    const QDate asOf = ask.date();
    const QString path = askReportPath(owner, asOf);
    if (path.isEmpty())
        return;

    writeReport(loadWithProgress(owner, connection, asOf), path);
    if (platform.openUrl(QUrl::fromLocalFile(path).toString()))
        return;
    platform.messageBox(owner,
                        QStringLiteral("Штатное расписание сохранено в файл «%1».\rОткрыть его не удалось: "
                                       "на компьютере нет программы для просмотра PDF.")
                            .arg(QDir::toNativeSeparators(path)),
                        caption, MessageButtons::Ok, MessageIcon::Information);
}

} // namespace zeb
