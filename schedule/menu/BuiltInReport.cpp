#include "schedule/menu/BuiltInReport.h"

#include "platform/Error.h"
#include "platform/seam/Platform.h"
#include "report/FormRequisites.h"
#include "report/ReportFile.h"
#include "report/ScheduleReport.h"
#include "report/change/ChangesFile.h"
#include "report/change/ChangesReport.h"
#include "report/vacancy/VacancyFile.h"
#include "report/vacancy/VacancyReport.h"
#include "schedule/menu/ReportDialog.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProgressDialog>
#include <QStandardPaths>
#include <QUrl>

namespace zeb {

namespace {

const auto caption = QStringLiteral("Штатное расписание");

// What the desktop lacks when it cannot open the file.
QString viewerOf(const QString& extension)
{
    if (extension == QLatin1String("xlsx"))
        return QStringLiteral("программы для работы с таблицами");
    if (extension == QLatin1String("html") || extension == QLatin1String("htm"))
        return QStringLiteral("браузера");
    return QStringLiteral("программы для просмотра PDF");
}

QString fileFilter(const QString& extension)
{
    if (extension == QLatin1String("xlsx"))
        return QStringLiteral("Книга Excel (*.xlsx)");
    if (extension == QLatin1String("html"))
        return QStringLiteral("Страница HTML (*.html *.htm)");
    return QStringLiteral("Документ PDF (*.pdf)");
}

// Requisites the officer changed are kept for everyone; the report is made with them even where the
// database refuses to keep them.
void keepRequisites(QWidget* owner, Connection& connection, const FormRequisites& typed,
                    const FormRequisites& stored)
{
    if (typed == stored)
        return;
    try {
        saveFormRequisites(connection, typed);
    } catch (const Error& error) {
        Platform::instance().messageBox(
            owner,
            QStringLiteral("Реквизиты организации не сохранены в базе данных:\r%1\rШтатное расписание будет "
                           "составлено с введёнными реквизитами.")
                .arg(error.message()),
            caption, MessageButtons::Ok, MessageIcon::Warning);
    }
}

// The file's name proposed and the save dialog's caption.
std::pair<QString, QString> proposedFile(const ReportChoices& choices)
{
    switch (choices.kind) {
    case ReportKind::Vacancies:
        return {proposedReportPath(choices.asOf, choices.extension, QStringLiteral("Вакансии")),
                QStringLiteral("Сохранить вакансии")};
    case ReportKind::Changes:
        return {proposedChangesPath(choices.changesFrom, choices.changesTo, choices.extension),
                QStringLiteral("Сохранить изменения за период")};
    case ReportKind::Schedule:
        break;
    }
    return {proposedReportPath(choices.asOf, choices.extension),
            QStringLiteral("Сохранить штатное расписание")};
}

// Where the user chose to save the report, having agreed to replace a file of that name; empty when the
// user cancelled.
QString askReportPath(QWidget* owner, const ReportChoices& choices)
{
    Platform& platform = Platform::instance();
    auto [proposed, saveCaption] = proposedFile(choices);
    for (;;) {
        QString chosen = platform.saveFileName(owner, saveCaption, proposed, fileFilter(choices.extension));
        // A name typed without an extension gets the chosen format's.
        if (!chosen.isEmpty() && QFileInfo(chosen).suffix().isEmpty())
            chosen += u'.' + choices.extension;
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

// Opens the written file in the desktop's viewer; without one, says where it is.
void openReport(QWidget* owner, const QString& path, const QString& saved)
{
    Platform& platform = Platform::instance();
    if (platform.openUrl(QUrl::fromLocalFile(path).toString()))
        return;
    platform.messageBox(
        owner,
        QStringLiteral("%1 в файл «%2».\rОткрыть его не удалось: на компьютере нет %3.")
            .arg(saved, QDir::toNativeSeparators(path), viewerOf(QFileInfo(path).suffix().toLower())),
        caption, MessageButtons::Ok, MessageIcon::Information);
}

void showVacancies(QWidget* owner, Connection& connection, const ReportChoices& choices)
{
    const QString path = askReportPath(owner, choices);
    if (path.isEmpty())
        return;
    writeVacancyReport(loadVacancyReport(connection, choices.asOf), path);
    openReport(owner, path, QStringLiteral("Вакансии сохранены"));
}

void showChanges(QWidget* owner, Connection& connection, const ReportChoices& choices)
{
    const QString path = askReportPath(owner, choices);
    if (path.isEmpty())
        return;
    writeChangesReport(loadChangesReport(connection, choices.changesFrom, choices.changesTo), path);
    openReport(owner, path, QStringLiteral("Изменения за период сохранены"));
}

// The user's documents folder, or the home folder when there is none.
QDir documentsFolder()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = QDir::homePath();
    return QDir(folder);
}

} // namespace

QString proposedReportPath(const QDate& asOf, const QString& extension, const QString& document)
{
    return documentsFolder().filePath(
        QStringLiteral("%1 на %2.%3").arg(document, asOf.toString(QStringLiteral("dd.MM.yyyy")), extension));
}

QString proposedChangesPath(const QDate& from, const QDate& to, const QString& extension)
{
    const QString format = QStringLiteral("dd.MM.yyyy");
    return documentsFolder().filePath(
        QStringLiteral("Изменения с %1 по %2.%3").arg(from.toString(format), to.toString(format), extension));
}

void showBuiltInReport(QWidget* owner, Connection& connection)
{
    Platform& platform = Platform::instance();
    const FormRequisites stored = loadFormRequisites(connection);
    ReportDialog ask(rememberedReportChoices(platform.now().date()), stored, owner);
    if (platform.runModal(ask) != ModalResult::Ok)
        return;
    const ReportChoices choices = ask.choices();
    rememberReportChoices(choices);
    if (choices.kind == ReportKind::Vacancies) {
        showVacancies(owner, connection, choices);
        return;
    }
    if (choices.kind == ReportKind::Changes) {
        showChanges(owner, connection, choices);
        return;
    }
    keepRequisites(owner, connection, ask.requisites(), stored);
    const QString path = askReportPath(owner, choices);
    if (path.isEmpty())
        return;

    ScheduleReport report = loadWithProgress(owner, connection, choices.asOf);
    report.details = choices.details;
    report.requisites = ask.requisites();
    writeReport(report, path);
    openReport(owner, path, QStringLiteral("Штатное расписание сохранено"));
}

} // namespace zeb
