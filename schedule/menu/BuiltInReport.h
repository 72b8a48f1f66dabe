#pragma once

#include <QString>

class QDate;
class QWidget;

namespace zeb {

class Connection;

// "Штатное расписание на DD.MM.YYYY.EXT" in the user's documents folder, or in the home folder when there
// is none.
// `document` names another report ("Вакансии").
QString proposedReportPath(const QDate& asOf, const QString& extension,
                           const QString& document = QStringLiteral("Штатное расписание"));

// "Изменения с DD.MM.YYYY по DD.MM.YYYY.EXT" in the same folder.
QString proposedChangesPath(const QDate& from, const QDate& to, const QString& extension);

// The staff schedule report the program builds itself, for installations without a report server: the
// user picks the date and where to save the PDF (the documents folder proposed), the report is written with
// a progress indication, readable by the user only, and the desktop's viewer opens it; without a viewer
// the user is told where the file is. The vacancies and the changes over a period are made the same way,
// without the form's details.
void showBuiltInReport(QWidget* owner, Connection& connection);

} // namespace zeb
